#pragma once

#include <QDialog>
#include <QGroupBox>
#include <QProgressBar>
#include <QPushButton>
#include <QString>

class FNodeList;
class ModalRunner;

// The file dialogs' filter of the sound files that can be read.
QString AudioFileFilter();

// "Status": filters a WAV or AIFF file through a design. ChooseFiles asks for the
// input and the output file; the run starts when the dialog is shown (or Run is
// called), shows its progress and ends the dialog. Stop, Escape and the close box
// stop a run, which then leaves no output file.
class StatusDialog : public QDialog {
    Q_OBJECT
public:
    // design: the design to filter through, which must outlive the dialog.
    StatusDialog(ModalRunner& runner, const FNodeList& design, QWidget* parent = nullptr);

    // Refuses a non-causal design, then asks for the two files; false, after saying
    // why where there is something to say, when there is nothing to run.
    bool ChooseFiles();
    // Filters the chosen input into the chosen output, reporting failures, and ends
    // the dialog. Events are handled at every progress report, so that the bar moves
    // and Stop takes effect while the run goes on.
    void Run();
    // percent: 0 ... 100.
    void DoStatusUpdate(int percent);
    void OnStop();
    bool GetStop() const { return stop; }

    QProgressBar& Progress() { return mProgress; }
    QPushButton& StopButton() { return mStop; }

    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    ModalRunner& mRunner;
    const FNodeList& mDesign;
    QString mInName;
    QString mOutName;
    bool stop = false;
    bool mStarted = false;
    QGroupBox mGroup;
    QProgressBar mProgress;
    QPushButton mStop;
};
