#include "ui/stream/AudioStreamWindow.h"

#include "filter/Zpk.h"
#include "ui/DesignDocument.h"
#include "ui/ModalRunner.h"
#include "ui/dialogs/StatusDialog.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// The meter shows -60 to 0 dBFS, falling back at about 20 dB per second.
constexpr int kMeterFloorDb = -60;
constexpr int kTickMs = 30;
constexpr double kFallPerTick = 0.6;

} // namespace

AudioStreamWindow::AudioStreamWindow(ModalRunner& runner, const DesignDocument& document,
                                     QWidget* parent)
    : QWidget(parent, Qt::Window), mRunner(runner), mFileSource(QStringLiteral("Sound &file")),
      mBrowse(QStringLiteral("&Browse ...")), mCaptureSource(QStringLiteral("&Capture device")),
      mPlay(QStringLiteral("&Play")), mStop(QStringLiteral("S&top")),
      mBypass(QStringLiteral("&Bypass")) {
    setWindowTitle(QStringLiteral("Audio Stream"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    grid->addWidget(&mFileSource, 0, 0);
    grid->addWidget(&mFilePath, 0, 1);
    grid->addWidget(&mBrowse, 0, 2);
    grid->addWidget(&mCaptureSource, 1, 0, 1, 3);
    auto* outputsLabel = new QLabel(QStringLiteral("Playback &device"), this);
    outputsLabel->setBuddy(&mOutputs);
    grid->addWidget(outputsLabel, 2, 0);
    grid->addWidget(&mOutputs, 2, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&mPlay);
    buttons->addWidget(&mStop);
    buttons->addWidget(&mBypass);
    buttons->addStretch();
    grid->addLayout(buttons, 3, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Output level"), this), 4, 0);
    grid->addWidget(&mMeter, 4, 1, 1, 2);
    grid->addWidget(&mStatus, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    mFilePath.setPlaceholderText(QStringLiteral("Sound file, played in a loop"));
    mFileSource.setChecked(true);
    mMeter.setRange(kMeterFloorDb, 0);
    mMeter.setValue(kMeterFloorDb);
    mMeter.setFormat(QStringLiteral("%v dBFS"));
    mStatus.setWordWrap(true);
    mStatus.setTextInteractionFlags(Qt::TextSelectableByMouse);
    mStop.setEnabled(false);

    connect(&mBrowse, &QPushButton::clicked, this, &AudioStreamWindow::OnBrowse);
    connect(&mPlay, &QPushButton::clicked, this, &AudioStreamWindow::OnPlay);
    connect(&mStop, &QPushButton::clicked, this, &AudioStreamWindow::OnStop);
    connect(&mBypass, &QCheckBox::toggled, this, [this](bool on) {
        if (mPlayer) {
            mPlayer->Engine().SetBypass(on);
        }
    });
    connect(&mTimer, &QTimer::timeout, this, &AudioStreamWindow::ShowLevel);
    connect(&document, &DesignDocument::nodeChanged, this, &AudioStreamWindow::UpdateFromNodeList);
    connect(&document, &DesignDocument::nodeDragged, this, &AudioStreamWindow::UpdateFromNodeList);
    connect(&document, &DesignDocument::designReplaced, this,
            &AudioStreamWindow::UpdateFromNodeList);
    FillDevices();
    resize(460, sizeHint().height());
}

AudioStreamWindow::~AudioStreamWindow() {
    mDevice.Stop();
}

void AudioStreamWindow::FillDevices() {
    const std::vector<CAudioDevice::Info> devices = mDevice.Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].outputs > 0) {
            mOutputs.addItem(QString::fromStdString(devices[i].name), static_cast<int>(i));
            if (devices[i].defaultOutput) {
                mOutputs.setCurrentIndex(mOutputs.count() - 1);
            }
        }
    }
    mCaptureSource.setEnabled(mDevice.DefaultInput() >= 0);
    const bool any = mOutputs.count() > 0;
    mOutputs.setEnabled(any);
    mPlay.setEnabled(any);
    mStatus.setText(any ? QStringLiteral("Stopped.")
                        : QStringLiteral("No sound device found: the stream cannot be played on "
                                         "this machine."));
}

void AudioStreamWindow::OnBrowse() {
    const QString path = mRunner.OpenFileName(
        this, {QStringLiteral("Audio Files (*.wav *.aif *.aiff *.aifc);;All Files (*)"), QString(),
               mFilePath.text()});
    if (!path.isEmpty()) {
        mFilePath.setText(path);
        mFileSource.setChecked(true);
    }
}

void AudioStreamWindow::OnPlay() {
    OnStop();
    if (mOutputs.currentIndex() < 0) {
        return;
    }
    const int output = mOutputs.currentData().toInt();
    const std::vector<CAudioDevice::Info> devices = mDevice.Devices();
    const int channels = std::clamp(devices[static_cast<std::size_t>(output)].outputs, 1, 2);
    const int input = mDevice.DefaultInput();
    const bool capture = mCaptureSource.isChecked() && input >= 0;
    double rate = devices[static_cast<std::size_t>(output)].defaultRate;
    CSoundClip clip;
    if (!capture) {
        if (clip.Load(mFilePath.text().toStdString()) < 0) {
            ShowStatus(QFileInfo(mFilePath.text()).fileName() + QStringLiteral(": ") +
                       QString::fromStdString(clip.Problem()));
            return;
        }
        rate = clip.Rate();
    }
    mPlayer = std::make_unique<CStreamPlayer>(channels, rate);
    const int captureChannels =
        capture ? std::clamp(devices[static_cast<std::size_t>(input)].inputs, 1, 2) : 0;
    if (capture) {
        mPlayer->UseCapture(captureChannels);
    } else {
        mPlayer->UseClip(std::move(clip), true);
    }
    mPlayer->Engine().SetBypass(mBypass.isChecked());
    UpdateFromNodeList();
    if (mDevice.Start(output, channels, captureChannels, rate, mPlayer.get()) < 0) {
        mPlayer.reset();
        ShowStatus(QString::fromStdString(mDevice.Problem()));
        return;
    }
    mStop.setEnabled(true);
    mTimer.start(kTickMs);
    ShowStatus();
}

void AudioStreamWindow::OnStop() {
    mDevice.Stop();
    mTimer.stop();
    mPlayer.reset();
    mStop.setEnabled(false);
    mShownLevel = 0.0;
    mMeter.setValue(kMeterFloorDb);
    if (mPlay.isEnabled()) {
        mStatus.setText(QStringLiteral("Stopped."));
    }
}

void AudioStreamWindow::UpdateFromNodeList() {
    if (!mPlayer) {
        return;
    }
    std::unique_ptr<CStreamDesign> design =
        CStreamDesign::Build(Zpk::FromNodeList(gNodeList), mPlayer->Engine().Channels());
    const QString status = QString::fromStdString(design->Status());
    mPlayer->Engine().Publish(std::move(design));
    if (status != mDesignStatus) {
        mDesignStatus = status;
        ShowStatus();
    }
}

void AudioStreamWindow::ShowLevel() {
    if (!mPlayer) {
        return;
    }
    mPlayer->Engine().CollectRetired();
    mShownLevel =
        std::max(static_cast<double>(mPlayer->Engine().TakePeak()), mShownLevel * kFallPerTick);
    const double db = mShownLevel > 0.0 ? 20.0 * std::log10(mShownLevel) : kMeterFloorDb;
    mMeter.setValue(std::clamp(static_cast<int>(std::lround(db)), kMeterFloorDb, 0));
}

void AudioStreamWindow::ShowStatus(const QString& problem) {
    QString text;
    if (!problem.isEmpty()) {
        text = QStringLiteral("Error: ") + problem;
    } else if (mDevice.Running()) {
        text = QStringLiteral("Playing on %1: %2 Hz, latency %3 ms")
                   .arg(mOutputs.currentText())
                   .arg(std::lround(mDevice.Rate()))
                   .arg(std::lround(mDevice.Latency() * 1000.0));
        if (!mDesignStatus.isEmpty()) {
            text += QStringLiteral(". ") + mDesignStatus + QStringLiteral(": playing silence");
        }
    }
    mStatus.setText(text);
}

void AudioStreamWindow::closeEvent(QCloseEvent* event) {
    OnStop();
    event->accept();
}
