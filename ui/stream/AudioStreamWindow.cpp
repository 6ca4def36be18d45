#include "ui/stream/AudioStreamWindow.h"

#include "filter/Zpk.h"
#include "ui/DesignDocument.h"
#include "ui/ModalRunner.h"
#include "ui/VectorState.h"
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
    : AudioStreamWindow(runner, document, std::make_unique<CAudioDevice>(), parent) {}

AudioStreamWindow::AudioStreamWindow(ModalRunner& runner, const DesignDocument& document,
                                     std::unique_ptr<CSoundDevice> device, QWidget* parent)
    : QWidget(parent, Qt::Window), mRunner(runner), mFileSource(QStringLiteral("Sound &file")),
      mBrowse(QStringLiteral("&Browse ...")), mCaptureSource(QStringLiteral("&Capture device")),
      mPlay(QStringLiteral("&Play")), mStop(QStringLiteral("S&top")),
      mBypass(QStringLiteral("&Bypass")), mDevice(std::move(device)), mPlayback(*mDevice) {
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
    auto* bufferingLabel = new QLabel(QStringLiteral("B&uffer"), this);
    bufferingLabel->setBuddy(&mBuffering);
    grid->addWidget(bufferingLabel, 3, 0);
    grid->addWidget(&mBuffering, 3, 1, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&mPlay);
    buttons->addWidget(&mStop);
    buttons->addWidget(&mBypass);
    buttons->addStretch();
    grid->addLayout(buttons, 4, 0, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Output level"), this), 5, 0);
    grid->addWidget(&mMeter, 5, 1, 1, 2);
    grid->addWidget(&mStatus, 6, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    mFilePath.setPlaceholderText(QStringLiteral("Sound file, played in a loop"));
    mFileSource.setChecked(true);
    // Less buffering answers edits sooner; more survives a busy machine without dropouts.
    mBuffering.addItem(QStringLiteral("Low (5 ms)"), 0.005);
    mBuffering.addItem(QStringLiteral("Normal (20 ms)"), 0.020);
    mBuffering.addItem(QStringLiteral("Safe (50 ms)"), 0.050);
    mBuffering.setCurrentIndex(1);
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
        if (mPlayback.Player() != nullptr) {
            mPlayback.Player()->Engine().SetBypass(on);
        }
    });
    connect(&mTimer, &QTimer::timeout, this, &AudioStreamWindow::OnTick);
    connect(&document, &DesignDocument::nodeChanged, this, &AudioStreamWindow::UpdateFromNodeList);
    connect(&document, &DesignDocument::nodeDragged, this, &AudioStreamWindow::UpdateFromNodeList);
    connect(&document, &DesignDocument::designReplaced, this,
            &AudioStreamWindow::UpdateFromNodeList);
    FillDevices();
    resize(460, sizeHint().height());
}

AudioStreamWindow::~AudioStreamWindow() {
    mPlayback.Stop();
}

void AudioStreamWindow::FillDevices() {
    const std::vector<CSoundDevice::Info> devices = mDevice->Devices();
    for (std::size_t i = 0; i < devices.size(); ++i) {
        if (devices[i].outputs > 0) {
            mOutputs.addItem(QString::fromStdString(devices[i].name), static_cast<int>(i));
            if (devices[i].defaultOutput) {
                mOutputs.setCurrentIndex(mOutputs.count() - 1);
            }
        }
    }
    mCaptureSource.setEnabled(mDevice->DefaultInput() >= 0);
    const bool any = mOutputs.count() > 0;
    mOutputs.setEnabled(any);
    mPlay.setEnabled(any);
    mStatus.setText(any ? QStringLiteral("Stopped.")
                        : QStringLiteral("No sound device found: the stream cannot be played on "
                                         "this machine."));
}

void AudioStreamWindow::OnBrowse() {
    const QString path =
        mRunner.OpenFileName(this, {AudioFileFilter(), QString(), mFilePath.text()});
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
    const double latency = mBuffering.currentData().toDouble();
    const Zpk design = Zpk::FromNodeList(gNodeList);
    // The audio thread starts with this thread's vector registers: clean, not as the
    // drawing left them.
    ClearUpperVectorState();
    int started = 0;
    if (mCaptureSource.isChecked() && mDevice->DefaultInput() >= 0) {
        started = mPlayback.PlayCapture(design, output, latency);
    } else {
        CSoundClip clip;
        if (clip.Load(mFilePath.text().toStdString()) < 0) {
            ShowStatus(QFileInfo(mFilePath.text()).fileName() + QStringLiteral(": ") +
                       QString::fromStdString(clip.Problem()));
            return;
        }
        started = mPlayback.PlayClip(std::move(clip), true, design, output, latency);
    }
    if (started != 0) {
        ShowStatus(QString::fromStdString(mPlayback.Problem()));
        return;
    }
    mPlayback.Player()->Engine().SetBypass(mBypass.isChecked());
    mDesignStatus = QString::fromStdString(mPlayback.DesignStatus());
    mStop.setEnabled(true);
    mTimer.start(kTickMs);
    ShowStatus();
}

void AudioStreamWindow::OnStop() {
    mPlayback.Stop();
    mTimer.stop();
    mStop.setEnabled(false);
    mShownLevel = 0.0;
    mMeter.setValue(kMeterFloorDb);
    if (mPlay.isEnabled()) {
        mStatus.setText(QStringLiteral("Stopped."));
    }
}

void AudioStreamWindow::UpdateFromNodeList() {
    if (!mPlayback.Playing()) {
        return;
    }
    mPlayback.Publish(Zpk::FromNodeList(gNodeList));
    const QString status = QString::fromStdString(mPlayback.DesignStatus());
    if (status != mDesignStatus) {
        mDesignStatus = status;
        ShowStatus();
    }
}

void AudioStreamWindow::OnTick() {
    if (!mPlayback.Playing()) {
        return;
    }
    if (!mPlayback.Check()) {
        const QString reason = QString::fromStdString(mPlayback.Problem());
        OnStop();
        mStatus.setText(QStringLiteral("Sound device lost: %1. Stopped.").arg(reason));
        return;
    }
    CStreamEngine& engine = mPlayback.Player()->Engine();
    mShownLevel = std::max(static_cast<double>(engine.TakePeak()), mShownLevel * kFallPerTick);
    const double db = mShownLevel > 0.0 ? 20.0 * std::log10(mShownLevel) : kMeterFloorDb;
    mMeter.setValue(std::clamp(static_cast<int>(std::lround(db)), kMeterFloorDb, 0));
    // The priority becomes known with the first block, dropouts come when they come.
    if (mShownStream != QString::fromStdString(mPlayback.Status()) ||
        mShownDropouts != mDevice->Dropouts()) {
        ShowStatus();
    }
}

void AudioStreamWindow::ShowStatus(const QString& problem) {
    QString text;
    if (!problem.isEmpty()) {
        text = QStringLiteral("Error: ") + problem;
    } else if (mPlayback.Playing()) {
        mShownStream = QString::fromStdString(mPlayback.Status());
        mShownDropouts = mDevice->Dropouts();
        text = QStringLiteral("Playing on ") + mShownStream;
        if (mDevice->Dropouts() > 0) {
            text += QStringLiteral(", %1 dropouts").arg(mDevice->Dropouts());
        }
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
