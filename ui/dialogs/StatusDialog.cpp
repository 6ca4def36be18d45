#include "ui/dialogs/StatusDialog.h"

#include "audio/CAudioFilter.h"
#include "core/FNodeList.h"
#include "filter/Zpk.h"
#include "run/RunnableDesign.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>

namespace {

std::string LocalPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// True when both paths name one existing file, through links or not.
bool SameFile(const QString& a, const QString& b) {
    std::error_code ignored;
    return std::filesystem::equivalent(LocalPath(a), LocalPath(b), ignored);
}

// The file and what is wrong with it, for the message box's details.
QString Reason(const CAudioFilter& filter) {
    return QFile::decodeName(filter.ProblemFile().c_str()) + QStringLiteral(": ") +
           QString::fromStdString(filter.Problem());
}

} // namespace

QString AudioFileFilter() {
    // The content decides a file's format; the names only help the user find the files.
    return QStringLiteral("Audio Files (*.wav *.aif *.aiff *.aifc *.flac *.rf64 *.w64 *.caf "
                          "*.ogg *.opus *.mp3);;All Files (*)");
}

StatusDialog::StatusDialog(ModalRunner& runner, const FNodeList& design, QWidget* parent)
    : QDialog(parent), mRunner(runner), mDesign(design),
      mGroup(QStringLiteral("Filtering Audio File"), this), mProgress(this),
      mStop(QStringLiteral("Stop"), this) {
    setWindowTitle(QStringLiteral("Status"));
    setFont(DialogFont());
    const QFontMetrics metrics = fontMetrics();
    setFixedSize(DluRect(0, 0, 206, 77, metrics).size());
    mGroup.setGeometry(DluRect(2, 2, 203, 73, metrics));
    mProgress.setGeometry(DluRect(9, 31, 192, 16, metrics));
    mStop.setGeometry(DluRect(87, 55, 40, 14, metrics));
    mProgress.setRange(0, 100);
    mProgress.setValue(0);
    connect(&mStop, &QPushButton::clicked, this, &StatusDialog::OnStop);
    CentreOverParent(*this);
}

bool StatusDialog::ChooseFiles() {
    const RunnableDesign runnable = PrepareToRun(Zpk::FromNodeList(mDesign));
    if (runnable.problem != RunProblem::None) {
        mRunner.Message(this, AppCaption(), QString::fromStdString(RunProblemText(runnable)),
                        ModalRunner::Icon::Information);
        return false;
    }
    mInName =
        mRunner.OpenFileName(this, FileDialogRequest{AudioFileFilter(), QString(), QString()});
    if (mInName.isEmpty()) {
        return false;
    }
    // Proposed beside the input, as "pzd-" and the input's name.
    const QFileInfo input(mInName);
    mOutName = mRunner.SaveFileName(
        this, FileDialogRequest{AudioFileFilter(), QString(),
                                input.dir().filePath(QStringLiteral("pzd-") + input.fileName())});
    if (mOutName.isEmpty()) {
        return false;
    }
    if (SameFile(mInName, mOutName)) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("The output file is the input file; the filtered sound "
                                       "can't be written over the sound it is made from."),
                        ModalRunner::Icon::Information);
        return false;
    }
    return true;
}

void StatusDialog::Run() {
    stop = false;
    CAudioFilter filter(LocalPath(mInName), LocalPath(mOutName));
    if (filter.PrepareFiles() < 0) {
        mRunner.DetailedMessage(this, AppCaption(),
                                QStringLiteral("Can't prepare audio files to be processed."),
                                Reason(filter), ModalRunner::Icon::Information);
    } else {
        // A design the filter cannot take makes the run itself fail and say so.
        filter.SetFilter(Zpk::FromNodeList(mDesign));
        const int result = filter.ProcessFile([this](int percent) {
            DoStatusUpdate(percent);
            QCoreApplication::processEvents();
            return GetStop() ? 1 : 0;
        });
        if (result < 0) {
            mRunner.DetailedMessage(this, AppCaption(),
                                    QStringLiteral("Can't process the audio files."),
                                    Reason(filter), ModalRunner::Icon::Information);
        }
    }
    done(1);
}

void StatusDialog::DoStatusUpdate(int percent) {
    mProgress.setValue(percent);
}

void StatusDialog::OnStop() {
    stop = true;
}

void StatusDialog::reject() {
    // Escape and the close box stop the run, which then ends the dialog.
    OnStop();
}

void StatusDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The run starts once the dialog's own event loop is running, so that the dialog
    // is on the screen while it goes.
    if (!mStarted) {
        mStarted = true;
        QMetaObject::invokeMethod(this, &StatusDialog::Run, Qt::QueuedConnection);
    }
}
