#include "ui/mainwindow/CMainWindow.h"

#include "filter/SampleRate.h"
#include "resources/Artwork.h"
#include "ui/ArithmeticView.h"
#include "ui/ModalRunner.h"
#include "ui/analysis/GraphWin.h"
#include "ui/dialogs/ClrPrefDialog.h"
#include "ui/dialogs/ExportDialog.h"
#include "ui/dialogs/ImportDialog.h"
#include "ui/dialogs/RequirementPanel.h"
#include "ui/dialogs/SampleRateDialog.h"
#include "ui/dialogs/StatusDialog.h"
#include "ui/stream/AudioStreamWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QUndoStack>

#include <algorithm>
#include <utility>
#include <vector>

QENPref mPrefs;

namespace {

// "All Files" shows every file, also those without an extension such as "Untitled".
const QString kDesignFilter = QStringLiteral("PZD Files (*.pzd);;All Files (*)");
// By command id from kCmdRateFirst.
constexpr int kRates[] = {8000,  11025, 22050, 44100,  48000, 16000,
                          32000, 88200, 96000, 176400, 192000};

} // namespace

int CMainWindow::RateOfCommand(int id) {
    return id >= kCmdRateFirst && id <= kCmdRateLast ? kRates[id - kCmdRateFirst] : 0;
}

int CMainWindow::CommandOfRate(int rate) {
    for (int id = kCmdRateFirst; id <= kCmdRateLast; ++id) {
        if (RateOfCommand(id) == rate) {
            return id;
        }
    }
    return kCmdRateOther;
}

CMainWindow::CMainWindow(ModalRunner& runner, QWidget* parent)
    : QMainWindow(parent), mRunner(runner), mZPlaneDesign(runner, mDocument, this) {
    UpdateTitle();
    setWindowIcon(ProgramIcon());
    setCentralWidget(&mZPlaneDesign);
    // Focus given to the window goes on to the workspace, which takes the deletion keys.
    setFocusProxy(&mZPlaneDesign);
    setMinimumSize(500, 400);
    resize(700, 540);
    BuildMenus();
    connect(&mDocument, &DesignDocument::fileNameChanged, this, &CMainWindow::UpdateTitle);
    connect(&mDocument, &DesignDocument::modifiedChanged, this, &CMainWindow::UpdateTitle);

    mPrefs = QENPref();
    mPrefPath = PrefFilePath();
    ReadPrefFile(&mPrefs, mPrefPath);
    mZPlaneDesign.ChangeColours(mPrefs.colourPref);
    mZPlaneDesign.ChangeUnits(mPrefs.unitPref);
    mZPlaneDesign.SetConfirm(mPrefs.confirmPref);
    SetChecked(kCmdZPlane, true);
    SetChecked(mPrefs.unitPref, true);
    SetChecked(kCmdConfirmation, mPrefs.confirmPref);
    ChangeSampleRate(UsableSampleRate(mPrefs.sampleFreqPref));
}

CMainWindow::~CMainWindow() {
    WritePrefFile(mPrefs, mPrefPath);
}

void CMainWindow::BuildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    AddCommand(file, kCmdNew, QStringLiteral("&New Design"), QStringLiteral("Ctrl+N"));
    AddCommand(file, kCmdOpen, QStringLiteral("&Open Design ..."), QStringLiteral("Ctrl+O"));
    file->addSeparator();
    AddCommand(file, kCmdSave, QStringLiteral("&Save Design"), QStringLiteral("Ctrl+S"));
    AddCommand(file, kCmdSaveAs, QStringLiteral("Save Design &As ..."), QString());
    file->addSeparator();
    AddCommand(file, kCmdImportCoefficients, QStringLiteral("&Import Coefficients ..."), QString());
    AddCommand(file, kCmdExportImplementation, QStringLiteral("&Export Implementation ..."),
               QString());
    file->addSeparator();
    AddCommand(file, kCmdExit, QStringLiteral("E&xit"), QStringLiteral("Ctrl+W"));

    BuildEditMenu(menuBar()->addMenu(QStringLiteral("&Edit")));

    QMenu* design = menuBar()->addMenu(QStringLiteral("&Design"));
    AddCommand(design, kCmdZPlane, QStringLiteral("&Z Plane"), QString());
    AddCommand(design, kCmdStateSpace, QStringLiteral("&State Space"), QString());
    AddCommand(design, kCmdMagnitudeResponse, QStringLiteral("&Magnitude Response"), QString());
    AddCommand(design, kCmdClearRequirement, QStringLiteral("Clear Specification"), QString());
    // Offered while there is a requirement to clear.
    mActions.at(kCmdClearRequirement)->setEnabled(false);
    connect(&mDocument, &DesignDocument::requirementChanged, this, [this] {
        mActions.at(kCmdClearRequirement)->setEnabled(mDocument.Requirement().has_value());
    });
    design->addSeparator();
    AddCommand(design, kCmdStandardDesign, QStringLiteral("S&tandard Design ..."), QString());
    connect(mActions.at(kCmdStandardDesign), &QAction::triggered, &mZPlaneDesign,
            &ZPlaneDesign::OpenStandardDesign);
    design->addSeparator();
    AddCommand(design, kCmdZoomIn, QStringLiteral("Zoom &In"), QStringLiteral("Ctrl+="));
    AddCommand(design, kCmdZoomOut, QStringLiteral("Zoom &Out"), QStringLiteral("Ctrl+-"));
    AddCommand(design, kCmdFitAll, QStringLiteral("&Fit All"), QStringLiteral("Ctrl+0"));
    // Ctrl++ too, for keyboards where + is the shifted =.
    mActions.at(kCmdZoomIn)
        ->setShortcuts(
            {QKeySequence(QStringLiteral("Ctrl+=")), QKeySequence(QStringLiteral("Ctrl++"))});
    TargetView* target = &mZPlaneDesign.Target();
    connect(mActions.at(kCmdZoomIn), &QAction::triggered, target, &TargetView::ZoomIn);
    connect(mActions.at(kCmdZoomOut), &QAction::triggered, target, &TargetView::ZoomOut);
    connect(mActions.at(kCmdFitAll), &QAction::triggered, target, &TargetView::FitAll);

    QMenu* analysis = menuBar()->addMenu(QStringLiteral("&Analysis"));
    AddCommand(analysis, kCmdAnalysisGraph, QStringLiteral("Analysis &Graph ..."),
               QStringLiteral("Ctrl+G"));
    AddCommand(analysis, kCmdDifferenceEquation, QStringLiteral("&Difference Equation ..."),
               QStringLiteral("Ctrl+D"));
    AddCommand(analysis, kCmdSecondOrderSections, QStringLiteral("Second-Order Sections ..."),
               QString());
    AddCommand(analysis, kCmdTransferFunction, QStringLiteral("&Transfer Function ..."),
               QStringLiteral("Ctrl+T"));
    analysis->addSeparator();
    AddCommand(analysis, kCmdFilterAudioFile, QStringLiteral("Filter Audio &File ..."),
               QStringLiteral("Ctrl+A"));
    AddCommand(analysis, kCmdFilterAudioStream, QStringLiteral("Filter Audio &Stream ..."),
               QString());
    analysis->addSeparator();
    // The same choice as the analysis window's, so that the plane's dots can go with it
    // closed.
    QMenu* arithmetic = analysis->addMenu(QStringLiteral("Ari&thmetic"));
    for (int id = kCmdArithmeticFirst; id <= kCmdArithmeticLast; ++id) {
        AddCommand(arithmetic, id, ArithmeticLabels().at(id - kCmdArithmeticFirst), QString());
        mActions.at(id)->setCheckable(true);
        connect(mActions.at(id), &QAction::triggered, this, [this, id] {
            mDocument.SetArithmetic(static_cast<Arithmetic>(id - kCmdArithmeticFirst));
            CheckArithmetic();
        });
    }
    connect(&mDocument, &DesignDocument::arithmeticChanged, this, &CMainWindow::CheckArithmetic);
    CheckArithmetic();

    QMenu* prefs = menuBar()->addMenu(QStringLiteral("&Preferences"));
    AddCommand(prefs, kCmdColours, QStringLiteral("&Colours ..."), QString());
    QMenu* units = prefs->addMenu(QStringLiteral("&Grid Units"));
    AddCommand(units, kCmdPolarDegree, QStringLiteral("Polar Degree"), QString());
    AddCommand(units, kCmdPolarRadian, QStringLiteral("Polar Radian"), QString());
    AddCommand(units, kCmdCartesian, QStringLiteral("Cartesian"), QString());
    QMenu* rates = prefs->addMenu(QStringLiteral("&Sampling Rate"));
    std::vector<int> byRate;
    for (int id = kCmdRateFirst; id <= kCmdRateLast; ++id) {
        byRate.push_back(id);
    }
    std::sort(byRate.begin(), byRate.end(),
              [](int a, int b) { return RateOfCommand(a) < RateOfCommand(b); });
    for (const int id : byRate) {
        // The blank pads the four-digit rate to the width of the others.
        const QString label = id == kCmdRateFirst ? QStringLiteral("8000  Hz")
                                                  : QStringLiteral("%1 Hz").arg(RateOfCommand(id));
        AddCommand(rates, id, label, QString());
    }
    rates->addSeparator();
    AddCommand(rates, kCmdRateOther, QStringLiteral("Other ..."), QString());
    prefs->addSeparator();
    AddCommand(prefs, kCmdConfirmation, QStringLiteral("&Confirmation"), QString());

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    AddCommand(help, kCmdAbout, QStringLiteral("&About"), QString());

    const std::pair<int, void (CMainWindow::*)()> commands[] = {
        {kCmdNew, &CMainWindow::OnFileNew},
        {kCmdOpen, &CMainWindow::OnFileOpen},
        {kCmdImportCoefficients, &CMainWindow::OnImportCoefficients},
        {kCmdExportImplementation, &CMainWindow::OnExportImplementation},
        {kCmdExit, &CMainWindow::OnExit},
        {kCmdCopy, &CMainWindow::OnCopy},
        {kCmdConfirmation, &CMainWindow::OnConfirm},
        {kCmdAbout, &CMainWindow::OnAbout},
        {kCmdAnalysisGraph, &CMainWindow::OnAnalysisGraph},
        {kCmdDifferenceEquation, &CMainWindow::OnDifferenceEquation},
        {kCmdTransferFunction, &CMainWindow::OnTransferFunction},
        {kCmdSecondOrderSections, &CMainWindow::OnSecondOrderSections},
        {kCmdColours, &CMainWindow::OnColours},
        {kCmdMagnitudeResponse, &CMainWindow::OnMagnitudeResponse},
        {kCmdClearRequirement, &CMainWindow::OnClearRequirement},
        {kCmdFilterAudioFile, &CMainWindow::OnFilterAudioFile},
        {kCmdFilterAudioStream, &CMainWindow::OnFilterAudioStream}};
    for (const auto& [id, handler] : commands) {
        connect(mActions.at(id), &QAction::triggered, this, handler);
    }
    connect(mActions.at(kCmdSave), &QAction::triggered, this, [this] { OnFileSave(); });
    connect(mActions.at(kCmdSaveAs), &QAction::triggered, this, [this] { OnFileSaveAs(); });
    for (const int id : {kCmdPolarRadian, kCmdPolarDegree, kCmdCartesian}) {
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnUnits(id); });
    }
    for (int id = kCmdRateFirst; id <= kCmdRateOther; ++id) {
        connect(mActions.at(id), &QAction::triggered, this, [this, id] { OnSampleRate(id); });
    }
    // Choosing the one design kind there is keeps its check mark and does nothing else.
    connect(mActions.at(kCmdZPlane), &QAction::triggered, this,
            [this] { SetChecked(kCmdZPlane, true); });

    // A command without a handler in this program.
    mActions.at(kCmdStateSpace)->setEnabled(false);
}

void CMainWindow::BuildEditMenu(QMenu* edit) {
    // The stack names the edit to be undone or redone in the item's text.
    QUndoStack& stack = mDocument.UndoStack();
    QAction* undo = stack.createUndoAction(this, QStringLiteral("Undo"));
    undo->setShortcut(QKeySequence::fromString(QStringLiteral("Ctrl+Z")));
    QAction* redo = stack.createRedoAction(this, QStringLiteral("Redo"));
    redo->setShortcuts({QKeySequence::fromString(QStringLiteral("Ctrl+Shift+Z")),
                        QKeySequence::fromString(QStringLiteral("Ctrl+Y"))});
    edit->addAction(undo);
    edit->addAction(redo);
    mActions[kCmdUndo] = undo;
    mActions[kCmdRedo] = redo;
    edit->addSeparator();
    AddCommand(edit, kCmdCopy, QStringLiteral("&Copy Graph"), QStringLiteral("Ctrl+C"));
}

void CMainWindow::UpdateTitle() {
    // Two blanks before a file's path, one before "Untitled".
    const QString title =
        (mDocument.HasFile() ? QStringLiteral("WinQEN  ") : QStringLiteral("WinQEN ")) +
        mDocument.FileName();
    setWindowTitle(mDocument.IsModified() ? title + '*' : title);
}

bool CMainWindow::SettleChanges() {
    if (!mDocument.IsModified()) {
        return true;
    }
    const QString name = QFileInfo(mDocument.FileName()).fileName();
    switch (mRunner.AskSaveChanges(this, AppCaption(),
                                   QStringLiteral("Save changes to %1?").arg(name))) {
    case ModalRunner::Choice::Save:
        return OnFileSave();
    case ModalRunner::Choice::Discard:
        return true;
    case ModalRunner::Choice::Cancel:
        break;
    }
    return false;
}

QAction* CMainWindow::AddCommand(QMenu* menu, int id, const QString& label,
                                 const QString& shortcut) {
    // The shortcut text after the tab is what the menu shows; Qt adds none of its own.
    QAction* action = menu->addAction(shortcut.isEmpty() ? label : label + '\t' + shortcut);
    action->setShortcut(QKeySequence(shortcut));
    action->setCheckable(id == kCmdZPlane || id == kCmdConfirmation ||
                         (id >= kCmdPolarRadian && id <= kCmdRateOther));
    mActions[id] = action;
    return action;
}

void CMainWindow::CheckArithmetic() {
    const int checked = kCmdArithmeticFirst + static_cast<int>(mDocument.Arithmetic());
    for (int id = kCmdArithmeticFirst; id <= kCmdArithmeticLast; ++id) {
        SetChecked(id, id == checked);
    }
}

void CMainWindow::SetChecked(int id, bool checked) {
    if (QAction* action = Action(id)) {
        action->setChecked(checked);
    }
}

QAction* CMainWindow::Action(int id) const {
    const auto found = mActions.find(id);
    return found != mActions.end() ? found->second : nullptr;
}

GraphWin* CMainWindow::GraphWnd() const {
    return mGraphWnd;
}

ClrPrefDialog* CMainWindow::ColourDialog() const {
    return mClrDlg;
}

AudioStreamWindow* CMainWindow::StreamWnd() const {
    return mStreamWnd;
}

RequirementPanel* CMainWindow::RequirementWnd() const {
    return mRequirementWnd;
}

void CMainWindow::OnChangeColour(const QENColourPref& colours) {
    mPrefs.colourPref = colours;
    if (mGraphWnd) {
        mGraphWnd->ChangeColours(mPrefs.colourPref);
    }
    mZPlaneDesign.ChangeColours(mPrefs.colourPref);
}

void CMainWindow::OnFileNew() {
    if (SettleChanges()) {
        mDocument.New();
    }
}

void CMainWindow::OnFileOpen() {
    if (!SettleChanges()) {
        return;
    }
    const QString path = mRunner.OpenFileName(this, FileDialogRequest{kDesignFilter, "pzd", {}});
    if (!path.isEmpty()) {
        OpenDesign(path);
    }
}

void CMainWindow::OpenDesign(const QString& path) {
    QString reason;
    if (!mDocument.Open(path, &reason)) {
        mRunner.DetailedMessage(this, AppCaption(),
                                QStringLiteral("Problem loading file \n") + path, reason,
                                ModalRunner::Icon::Information);
    }
}

bool CMainWindow::OnFileSave() {
    if (!mDocument.HasFile()) {
        return OnFileSaveAs();
    }
    if (!mDocument.Save()) {
        mRunner.Message(this, AppCaption(),
                        QStringLiteral("Problem saving file \n") + mDocument.FileName(),
                        ModalRunner::Icon::Information);
        return false;
    }
    return true;
}

bool CMainWindow::OnFileSaveAs() {
    const QString offered =
        mDocument.HasFile() ? mDocument.FileName() : QStringLiteral("Untitled.pzd");
    const QString path =
        mRunner.SaveFileName(this, FileDialogRequest{kDesignFilter, "pzd", offered});
    if (path.isEmpty()) {
        return false;
    }
    mDocument.SetFileName(path);
    return OnFileSave();
}

void CMainWindow::OnImportCoefficients() {
    ImportDialog dialog(mRunner, this);
    if (mRunner.Exec(dialog)) {
        mDocument.ReplaceDesign(dialog.Design(), QStringLiteral("Import Coefficients"));
    }
}

void CMainWindow::OnExportImplementation() {
    ExportDialog dialog(mRunner, Zpk::FromNodeList(mDocument.Nodes()), mDocument.FileName(),
                        mDocument.Arithmetic(), this);
    mRunner.Exec(dialog);
}

void CMainWindow::OnExit() {
    // With unsaved changes, closing asks about them instead.
    if (!mDocument.IsModified() && mPrefs.confirmPref &&
        !mRunner.AskYesNo(this, AppCaption(), QStringLiteral("You sure you want to quit?"))) {
        return;
    }
    close();
}

void CMainWindow::OnCopy() {
    mZPlaneDesign.CopyToClipboard();
}

void CMainWindow::OnUnits(int id) {
    for (const int unit : {kCmdCartesian, kCmdPolarRadian, kCmdPolarDegree}) {
        SetChecked(unit, false);
    }
    mPrefs.unitPref = id;
    mZPlaneDesign.ChangeUnits(id);
    SetChecked(id, true);
}

void CMainWindow::OnSampleRate(int id) {
    if (id != kCmdRateOther) {
        ChangeSampleRate(RateOfCommand(id));
        return;
    }
    SampleRateDialog dialog(mPrefs.sampleFreqPref, this);
    if (mRunner.Exec(dialog)) {
        ChangeSampleRate(dialog.Rate());
    } else {
        // Choosing the item has toggled its mark; the marks stay as they were.
        ChangeSampleRate(mPrefs.sampleFreqPref);
    }
}

void CMainWindow::ChangeSampleRate(int rate) {
    mPrefs.sampleFreqPref = rate;
    const int checked = CommandOfRate(rate);
    for (int id = kCmdRateFirst; id <= kCmdRateOther; ++id) {
        SetChecked(id, id == checked);
    }
    // "Other" names the rate it stands for.
    Action(kCmdRateOther)
        ->setText(checked == kCmdRateOther ? QStringLiteral("Other (%1 Hz) ...").arg(rate)
                                           : QStringLiteral("Other ..."));
    mZPlaneDesign.ChangeSampleRate(rate);
    if (mGraphWnd) {
        mGraphWnd->ChangeSampleRate(rate);
    }
    if (mRequirementWnd) {
        mRequirementWnd->SetSampleRate(rate);
    }
}

void CMainWindow::OnConfirm() {
    mPrefs.confirmPref = !mPrefs.confirmPref;
    SetChecked(kCmdConfirmation, mPrefs.confirmPref);
    mZPlaneDesign.SetConfirm(mPrefs.confirmPref);
}

void CMainWindow::OnAbout() {
    mRunner.About(this, QStringLiteral("QEN 2.0"),
                  QStringLiteral("QEN by the WinQEN developers\n"
                                 "Windows version by the WinQEN developers"),
                  ProgramIcon());
}

void CMainWindow::OnAnalysisGraph() {
    if (mGraphWnd) {
        mGraphWnd->raise();
        mGraphWnd->activateWindow();
        return;
    }
    mGraphWnd = new GraphWin(mRunner, mDocument, this);
    mGraphWnd->ChangeColours(mPrefs.colourPref);
    mGraphWnd->ChangeSampleRate(mPrefs.sampleFreqPref);
    mGraphWnd->UpdateFromNodeList();
    mGraphWnd->show();
}

void CMainWindow::ShowText(TextDialog::Page page) {
    TextDialog dialog(mRunner, std::move(page), this);
    if (!dialog.Ready()) {
        mRunner.Message(this, AppCaption(), dialog.Refusal(), ModalRunner::Icon::Information);
        return;
    }
    mRunner.Exec(dialog);
}

void CMainWindow::OnDifferenceEquation() {
    ShowText(TextDialog::DifferenceEquation(mDocument.Nodes()));
}

void CMainWindow::OnSecondOrderSections() {
    ShowText(TextDialog::SecondOrderSections(mDocument.Nodes()));
}

void CMainWindow::OnTransferFunction() {
    ShowText(TextDialog::TransferFunction(mDocument.Nodes()));
}

void CMainWindow::OnColours() {
    if (mClrDlg) {
        mClrDlg->raise();
        mClrDlg->activateWindow();
        return;
    }
    mClrDlg = new ClrPrefDialog(mRunner, mPrefs.colourPref, this);
    connect(mClrDlg, &ClrPrefDialog::colourChange, this, &CMainWindow::OnChangeColour,
            Qt::DirectConnection);
    mClrDlg->show();
}

void CMainWindow::OnMagnitudeResponse() {
    if (!mRequirementWnd) {
        mRequirementWnd = new RequirementPanel(mRunner, mDocument, mPrefs.sampleFreqPref, this);
        PlaceBeside(*mRequirementWnd);
    }
    mRequirementWnd->show();
    mRequirementWnd->raise();
    mRequirementWnd->activateWindow();
}

void CMainWindow::PlaceBeside(QWidget& window) const {
    // Right of the main window where the screen has room, so that the plane stays in
    // view; else over its right edge.
    const QRect frame = frameGeometry();
    QRect placed(frame.topRight() + QPoint(1, 0), window.sizeHint());
    if (const QScreen* shown = screen()) {
        const QRect room = shown->availableGeometry();
        placed.moveRight(std::min(placed.right(), room.right()));
        placed.moveLeft(std::max(placed.left(), room.left()));
    }
    window.move(placed.topLeft());
}

void CMainWindow::OnClearRequirement() {
    mDocument.ChangeRequirement(std::nullopt, QStringLiteral("Clear Specification"));
}

void CMainWindow::OnFilterAudioStream() {
    if (!mStreamWnd) {
        mStreamWnd = new AudioStreamWindow(mRunner, mDocument, this);
    }
    mStreamWnd->show();
    mStreamWnd->raise();
    mStreamWnd->activateWindow();
}

void CMainWindow::OnFilterAudioFile() {
    StatusDialog dialog(mRunner, mDocument.Nodes(), this);
    if (dialog.ChooseFiles()) {
        mRunner.Exec(dialog);
    }
}

void CMainWindow::closeEvent(QCloseEvent* event) {
    if (!SettleChanges()) {
        event->ignore();
        return;
    }
    event->accept();
    // The program ends with its main window, whatever other windows are open.
    QCoreApplication::quit();
}
