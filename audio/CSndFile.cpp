#include "audio/CSndFile.h"

#include "audio/QuietStandardError.h"

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

// The open library handle with what the writer needs to rebuild the file.
struct CSndFile::Handle {
    SNDFILE* file = nullptr;
    SF_INFO info{};
    std::vector<std::pair<int, std::string>> strings;
    std::optional<SF_BROADCAST_INFO> broadcast;
    std::optional<SF_CUES> cues;
    std::vector<int32_t> ints;
};

namespace {

// Integer samples travel through the library left-justified in 32 bits, so that
// whole steps of the file's format pass exactly; the others as doubles of full scale 1.
CSampleCoding CodingOf(int format) {
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_S8:
    case SF_FORMAT_PCM_U8:
        return CSampleCoding::Integer(8, false);
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_ALAC_20:
    case SF_FORMAT_ALAC_24:
        return CSampleCoding::Integer(24, false);
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_ALAC_32:
        return CSampleCoding::Integer(32, false);
    case SF_FORMAT_DOUBLE:
        return CSampleCoding::Float(64, false);
    case SF_FORMAT_FLOAT:
    case SF_FORMAT_VORBIS:
    case SF_FORMAT_OPUS:
    case SF_FORMAT_MPEG_LAYER_I:
    case SF_FORMAT_MPEG_LAYER_II:
    case SF_FORMAT_MPEG_LAYER_III:
        return CSampleCoding::Float(32, false);
    default:
        // 16-bit PCM, and the companded and adaptive codings, which decode to 16 bits.
        return CSampleCoding::Integer(16, false);
    }
}

// The library's name of the container, e.g. "FLAC (Free Lossless Audio Codec)".
std::string ContainerName(int format) {
    SF_FORMAT_INFO info{};
    info.format = format & SF_FORMAT_TYPEMASK;
    if (sf_command(nullptr, SFC_GET_FORMAT_INFO, &info, sizeof info) != 0 || info.name == nullptr) {
        return "this kind of";
    }
    return info.name;
}

// The system's reason when a call failed in it (a full disk, say), which the library
// may word as a failure of its own; otherwise the library's.
std::string WriteProblem(SNDFILE* file) {
    return errno != 0 ? std::string("cannot write: ") + std::strerror(errno)
                      : std::string(sf_strerror(file));
}

double StepScale(const CSampleCoding& coding) {
    return static_cast<double>(int64_t{1} << (32 - coding.Bits()));
}

// Writes through the library into the descriptor of the file the base class opened.
class CSndFileWriter : public CAudioOutFile {
public:
    CSndFileWriter(std::string path, const CSndFile::Handle& like)
        : CAudioOutFile(std::move(path)), mLike(like) {}
    ~CSndFileWriter() override { CloseLibrary(); }

    int OpenFile() override {
        SF_INFO info = mLike.info;
        if (sf_format_check(&info) == 0) {
            return Fail(-1, "libsndfile cannot write " + ContainerName(info.format) + " files");
        }
        const int opened = CAudioOutFile::OpenFile();
        if (opened != 0) {
            return opened;
        }
        errno = 0;
        mFile = sf_open_fd(fileno(Stream()), SFM_WRITE, &info, SF_FALSE);
        if (mFile == nullptr) {
            const std::string reason = WriteProblem(nullptr);
            CAudioOutFile::DiscardFile();
            return Fail(-1, "libsndfile cannot write " + ContainerName(info.format) +
                                " files here: " + reason);
        }
        for (const auto& [id, text] : mLike.strings) {
            sf_set_string(mFile, id, text.c_str());
        }
        if (mLike.broadcast) {
            SF_BROADCAST_INFO bext = *mLike.broadcast;
            sf_command(mFile, SFC_SET_BROADCAST_INFO, &bext, sizeof bext);
        }
        if (mLike.cues) {
            SF_CUES cues = *mLike.cues;
            sf_command(mFile, SFC_SET_CUE, &cues, sizeof cues);
        }
        return 0;
    }

    int PutFrames(const double* samples, size_t count) override {
        const auto n = static_cast<sf_count_t>(count);
        const size_t values = count * static_cast<size_t>(mChannels);
        errno = 0;
        if (mCoding.IsFloat()) {
            return sf_writef_double(mFile, samples, n) == n ? 0 : Fail(-1, WriteProblem(mFile));
        }
        mInts.resize(values);
        const double scale = StepScale(mCoding);
        for (size_t i = 0; i < values; ++i) {
            mInts[i] = static_cast<int32_t>(static_cast<int64_t>(samples[i] * scale));
        }
        return sf_writef_int(mFile, mInts.data(), n) == n ? 0 : Fail(-1, WriteProblem(mFile));
    }

    void DiscardFile() override {
        CloseLibrary();
        CAudioOutFile::DiscardFile();
    }

protected:
    bool Finish() override { return CloseLibrary() && CAudioOutFile::Finish(); }

private:
    // The library writes its last header fields when it closes.
    bool CloseLibrary() {
        SNDFILE* file = mFile;
        mFile = nullptr;
        return file == nullptr || sf_close(file) == 0;
    }

    const CSndFile::Handle mLike;
    SNDFILE* mFile = nullptr;
    std::vector<int32_t> mInts;
};

// The library's view of a ByteSource.
sf_count_t SourceLength(void* source) {
    return static_cast<ByteSource*>(source)->Size();
}

sf_count_t SourceSeek(sf_count_t offset, int whence, void* user) {
    auto* source = static_cast<ByteSource*>(user);
    const int64_t base = whence == SEEK_SET   ? 0
                         : whence == SEEK_CUR ? source->Position()
                                              : source->Size();
    return source->Seek(base + offset) ? source->Position() : -1;
}

sf_count_t SourceRead(void* buffer, sf_count_t count, void* user) {
    auto* source = static_cast<ByteSource*>(user);
    const int64_t take = std::min<int64_t>(count, source->Left());
    return take > 0 && source->Read(static_cast<uint8_t*>(buffer), static_cast<size_t>(take)) ? take
                                                                                              : 0;
}

sf_count_t SourceWrite(const void* /*buffer*/, sf_count_t /*count*/, void* /*user*/) {
    return 0;
}

sf_count_t SourceTell(void* source) {
    return static_cast<ByteSource*>(source)->Position();
}

} // namespace

CSndFile::CSndFile(std::unique_ptr<ByteSource> source)
    : CAudioInFile(""), mSource(std::move(source)), mHandle(std::make_unique<Handle>()) {}

CSndFile::~CSndFile() {
    if (mHandle->file != nullptr) {
        sf_close(mHandle->file);
    }
}

int CSndFile::OpenFile() {
    if (mFileIsOpen) {
        return Fail(-3, "already open");
    }
    std::string problem;
    if (!mSource->Open(&problem)) {
        return Fail(-1, problem);
    }
    Handle& h = *mHandle;
    h.info = SF_INFO{};
    SF_VIRTUAL_IO io{SourceLength, SourceSeek, SourceRead, SourceWrite, SourceTell};
    {
        const QuietStandardError quiet;
        h.file = sf_open_virtual(&io, SFM_READ, &h.info, mSource.get());
    }
    if (h.file == nullptr) {
        mSource->Close();
        // The library words some refusals of data it cannot decode as a missing or
        // special file, which a source never is.
        const std::string why = sf_strerror(nullptr);
        return Fail(-1, why.find("not a regular file") != std::string::npos
                            ? "not a sound file that can be read"
                            : "not a sound file that can be read (" + why + ")");
    }
    if (h.info.channels < 1 || h.info.channels > kMaxChannels) {
        sf_close(h.file);
        h.file = nullptr;
        mSource->Close();
        return Fail(-1, std::to_string(h.info.channels) + " channels");
    }
    h.strings.clear();
    for (int id = SF_STR_FIRST; id <= SF_STR_LAST; ++id) {
        if (const char* text = sf_get_string(h.file, id)) {
            h.strings.emplace_back(id, text);
        }
    }
    SF_BROADCAST_INFO bext{};
    h.broadcast.reset();
    if (sf_command(h.file, SFC_GET_BROADCAST_INFO, &bext, sizeof bext) == SF_TRUE) {
        h.broadcast = bext;
    }
    SF_CUES cues{};
    h.cues.reset();
    if (sf_command(h.file, SFC_GET_CUE, &cues, sizeof cues) == SF_TRUE) {
        h.cues = cues;
    }
    SetFormat(CodingOf(h.info.format), h.info.channels);
    mSampleRate = static_cast<uint32_t>(h.info.samplerate);
    mFileIsOpen = true;
    return 0;
}

int CSndFile::CloseFile() {
    if (!mFileIsOpen) {
        return Fail(-2, "not open");
    }
    mFileIsOpen = false;
    const int closed = sf_close(mHandle->file);
    mHandle->file = nullptr;
    mSource->Close();
    return closed == 0 ? 0 : Fail(-1, "cannot close");
}

long CSndFile::ReadHeadInfo(std::vector<uint8_t>* piece) {
    piece->clear();
    return CheckOpen() ? 0 : -1;
}

long CSndFile::ReadMiddleInfo(std::vector<uint8_t>* piece) {
    return ReadHeadInfo(piece);
}

long CSndFile::ReadDataHeader(std::vector<uint8_t>* piece) {
    mFrameCount = mHandle->info.frames;
    return ReadHeadInfo(piece);
}

long CSndFile::GetPadding(std::vector<uint8_t>* piece) {
    return ReadHeadInfo(piece);
}

long CSndFile::ReadFrames(double* samples, long count) {
    if (!CheckOpen()) {
        return -2;
    }
    Handle& h = *mHandle;
    const auto n = static_cast<sf_count_t>(count);
    sf_count_t got = 0;
    const QuietStandardError quiet;
    if (mCoding.IsFloat()) {
        got = sf_readf_double(h.file, samples, n);
    } else {
        const size_t values = static_cast<size_t>(count) * static_cast<size_t>(mChannels);
        h.ints.resize(values);
        got = sf_readf_int(h.file, h.ints.data(), n);
        const int shift = 32 - mCoding.Bits();
        for (size_t i = 0; i < static_cast<size_t>(got) * static_cast<size_t>(mChannels); ++i) {
            samples[i] = h.ints[i] >> shift;
        }
    }
    if (sf_error(h.file) != SF_ERR_NO_ERROR) {
        return Fail(-2, sf_strerror(h.file));
    }
    mFrameCount = std::max<int64_t>(0, mFrameCount - got);
    return static_cast<long>(got);
}

std::unique_ptr<CAudioOutFile> CSndFile::MakeWriter(std::string path) const {
    auto writer = std::make_unique<CSndFileWriter>(std::move(path), *mHandle);
    writer->SetFormat(mCoding, mChannels);
    return writer;
}
