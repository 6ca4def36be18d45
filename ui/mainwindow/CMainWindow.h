#pragma once

#include "persist/QENPref.h"
#include "ui/DesignDocument.h"
#include "ui/dialogs/TextDialog.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <map>

class AudioStreamWindow;
class ClrPrefDialog;
class GraphWin;
class ModalRunner;
class QAction;
class RequirementPanel;

// The live preferences; the main window is their only writer.
extern QENPref mPrefs;

// Menu command ids; the unit ids are also the stored units codes.
inline constexpr int kCmdExit = 110;
inline constexpr int kCmdAnalysisGraph = 111;
inline constexpr int kCmdDifferenceEquation = 112;
inline constexpr int kCmdTransferFunction = 113;
inline constexpr int kCmdSecondOrderSections = 114;
inline constexpr int kCmdColours = 115;
inline constexpr int kCmdNew = 116;
inline constexpr int kCmdOpen = 117;
inline constexpr int kCmdSave = 119;
inline constexpr int kCmdSaveAs = 120;
inline constexpr int kCmdZPlane = 121;
inline constexpr int kCmdStateSpace = 122;
inline constexpr int kCmdMagnitudeResponse = 123;
inline constexpr int kCmdPolarRadian = 124;
inline constexpr int kCmdPolarDegree = 125;
inline constexpr int kCmdCartesian = 126;
// 127 ... 131: 8000, 11025, 22050, 44100 and 48000 Hz; 132 ... 137: 16000, 32000, 88200,
// 96000, 176400 and 192000 Hz; 138 "Other ...", any rate typed.
inline constexpr int kCmdRateFirst = 127;
inline constexpr int kCmdRateLast = 137;
inline constexpr int kCmdRateOther = 138;
inline constexpr int kCmdConfirmation = 140;
inline constexpr int kCmdAbout = 141;
inline constexpr int kCmdFilterAudioFile = 142;
inline constexpr int kCmdFilterAudioStream = 143;
inline constexpr int kCmdCopy = 144;
inline constexpr int kCmdUndo = 160;
inline constexpr int kCmdRedo = 161;
inline constexpr int kCmdZoomIn = 162;
inline constexpr int kCmdZoomOut = 163;
inline constexpr int kCmdFitAll = 164;
inline constexpr int kCmdStandardDesign = 165;
inline constexpr int kCmdClearRequirement = 166;
inline constexpr int kCmdImportCoefficients = 180;
inline constexpr int kCmdExportImplementation = 181;

// The program's main window: the design document, menus and shortcuts, the design
// workspace filling it, a title that names the design's file and marks unsaved changes,
// the preferences (read when it is made, written when it goes), and the analysis
// window, dialogs and audio filtering it opens. Colour, unit and rate changes are
// handed down from here; the windows follow the document themselves.
class CMainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainWindow(ModalRunner& runner, QWidget* parent = nullptr);
    // Writes the preferences file first.
    ~CMainWindow() override;

    // The colour-change notification: the colours are copied before it returns.
    void OnChangeColour(const QENColourPref& colours);

    // New, Open, the close box and Exit first ask whether to save a changed design.
    void OnFileNew();
    void OnFileOpen();
    // A design never saved asks for a name. True when the design was written.
    bool OnFileSave();
    bool OnFileSaveAs();
    // Replaces the design by imported coefficients' roots, as one step to undo.
    void OnImportCoefficients();
    // The design's sections as code or data, the document's arithmetic chosen first.
    void OnExportImplementation();
    void OnExit();
    // Replaces the design by the file's, with a fresh undo history; a file that
    // cannot be loaded is reported and leaves the design as it was.
    void OpenDesign(const QString& path);
    void OnCopy();
    // id: kCmdPolarRadian, kCmdPolarDegree or kCmdCartesian.
    void OnUnits(int id);
    // id: kCmdRateFirst ... kCmdRateLast, or kCmdRateOther, which asks for the rate.
    void OnSampleRate(int id);
    // Any rate from kMinSampleRate to kMaxSampleRate for every view.
    void ChangeSampleRate(int rate);
    void OnConfirm();
    void OnAbout();
    // Opens the analysis window, or brings the open one forward.
    void OnAnalysisGraph();
    void OnDifferenceEquation();
    void OnTransferFunction();
    void OnSecondOrderSections();
    // Opens the colour dialog, or brings the open one forward.
    void OnColours();
    // Opens the magnitude requirement panel, or brings the open one forward.
    void OnMagnitudeResponse();
    // Takes the design's requirement away, as one step to undo.
    void OnClearRequirement();
    // Filters a sound file through the design, asking for the files.
    void OnFilterAudioFile();
    // Opens the audio stream window, or brings the open one forward.
    void OnFilterAudioStream();

    // The analysis window and the colour dialog while they are open, else null.
    GraphWin* GraphWnd() const;
    ClrPrefDialog* ColourDialog() const;
    AudioStreamWindow* StreamWnd() const;
    RequirementPanel* RequirementWnd() const;

    // The menu item of a command id, or null.
    QAction* Action(int id) const;
    const QString& FileName() const { return mDocument.FileName(); }
    DesignDocument& Document() { return mDocument; }
    ZPlaneDesign& Design() { return mZPlaneDesign; }

    // The rate of a rate command; 0 for other ids.
    static int RateOfCommand(int id);
    // The command of a menu rate; kCmdRateOther for other rates.
    static int CommandOfRate(int rate);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void BuildEditMenu(QMenu* edit);
    // "WinQEN" and the file name, followed by "*" while the design has unsaved changes.
    void UpdateTitle();
    // Shows a text dialog, or why the design has no such text.
    void ShowText(TextDialog::Page page);
    // Asks about unsaved changes; false when the user cancelled (or saving failed).
    bool SettleChanges();
    QAction* AddCommand(QMenu* menu, int id, const QString& label, const QString& shortcut);
    void SetChecked(int id, bool checked);
    // Puts a window that works beside this one at its right.
    void PlaceBeside(QWidget& window) const;
    // Checks the document's arithmetic in Analysis > Arithmetic.
    void CheckArithmetic();

    ModalRunner& mRunner;
    // Before the windows, which follow it.
    DesignDocument mDocument;
    ZPlaneDesign mZPlaneDesign;
    // Both delete themselves when closed, which clears these.
    QPointer<ClrPrefDialog> mClrDlg;
    QPointer<GraphWin> mGraphWnd;
    QPointer<AudioStreamWindow> mStreamWnd;
    QPointer<RequirementPanel> mRequirementWnd;
    // Where the preferences were read from and go back to.
    std::string mPrefPath;
    std::map<int, QAction*> mActions;
};
