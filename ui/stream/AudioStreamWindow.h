#pragma once

#include "audio/live/CAudioDevice.h"
#include "audio/live/CStreamPlayer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include <memory>

class DesignDocument;
class ModalRunner;

// The modeless "Audio Stream" window: plays a sound file in a loop, or the capture
// device, through a document's design while it is edited (also at every step of a
// drag, so that the user hears it), with Bypass, a level meter and a status line.
// Without any sound device it says so and stays usable. Closing it stops the sound.
class AudioStreamWindow : public QWidget {
    Q_OBJECT
public:
    AudioStreamWindow(ModalRunner& runner, const DesignDocument& document,
                      QWidget* parent = nullptr);
    ~AudioStreamWindow() override;

    // Hands the design to the playing stream; cheap enough for every step of a drag.
    void UpdateFromNodeList();

    void OnBrowse();
    void OnPlay();
    void OnStop();

    bool Playing() const { return mDevice.Running(); }
    QString StatusText() const { return mStatus.text(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillDevices();
    void ShowLevel();
    // The device line, and the design's reason for silence when it has one.
    void ShowStatus(const QString& problem = QString());

    ModalRunner& mRunner;
    QRadioButton mFileSource;
    QLineEdit mFilePath;
    QPushButton mBrowse;
    QRadioButton mCaptureSource;
    QComboBox mOutputs;
    QPushButton mPlay;
    QPushButton mStop;
    QCheckBox mBypass;
    QProgressBar mMeter;
    QLabel mStatus;
    QTimer mTimer;
    QString mDesignStatus;
    double mShownLevel = 0.0;
    // The player outlives the device's stream, which is stopped first.
    std::unique_ptr<CStreamPlayer> mPlayer;
    CAudioDevice mDevice;
};
