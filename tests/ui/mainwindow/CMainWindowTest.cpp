#include "ui/mainwindow/CMainWindow.h"
#include "PictureCheck.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ViewDriver.h"
#include "audio/AudioFixtures.h"
#include "persist/CDesignPersistence.h"
#include "ui/analysis/GraphWin.h"
#include "ui/dialogs/ClrPrefDialog.h"
#include "ui/dialogs/ExportDialog.h"
#include "ui/dialogs/ImportDialog.h"
#include "ui/dialogs/RequirementPanel.h"
#include "ui/dialogs/SampleRateDialog.h"
#include "ui/dialogs/StatusDialog.h"
#include "ui/dialogs/StdFilterDlg.h"
#include "ui/dialogs/TextDialog.h"
#include "ui/stream/AudioStreamWindow.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <vector>

Q_DECLARE_METATYPE(ModalRunner::Choice)

namespace {

const std::string kDesign = "VERSION=2.000000 \nDESIGN=ZPlane \nPOLECOUNT=2 \nZEROCOUNT=1 \n"
                            "P0=0.500000, 0.500000, 1 \nP1=-0.250000, 0.000000, 0 \n"
                            "Z0=-1.000000, 0.000000, 0 \n";

std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int v : values) {
        bytes.push_back(static_cast<char>(v));
    }
    return bytes;
}

// The preferences record of a first run, as written at exit.
const std::string kDefaultPrefs =
    Bytes({0x00, 0x80, 0x00, 0x00, 0xC0, 0xC0, 0xC0, 0x00, 0x00, 0x00, 0x00,
           0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x7D, 0x00,
           0x00, 0x00, 0x40, 0x1F, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00});

const std::vector<int> kUnits = {kCmdPolarRadian, kCmdPolarDegree, kCmdCartesian};
const std::vector<int> kRates = {127, 128, 129, 130, 131, 132, 133, 134, 135, 136, 137, 138};

} // namespace

class CMainWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> mDir;
    QString mHome;
    ScriptedRunner mRunner;
    std::unique_ptr<CMainWindow> mWindow;

    CMainWindow& Window() {
        if (!mWindow) {
            mWindow = std::make_unique<CMainWindow>(mRunner);
            mWindow->show();
        }
        return *mWindow;
    }
    std::string Path(const char* name) const { return (mDir->path() + '/' + name).toStdString(); }
    QString QPath(const char* name) const { return QString::fromStdString(Path(name)); }
    bool Checked(int id) { return Window().Action(id)->isChecked(); }
    void Trigger(int id) { Window().Action(id)->trigger(); }
    // A file command answered with a file of the test's folder.
    void Trigger(int id, const char* file) {
        mRunner.fileAnswers = {QPath(file)};
        Trigger(id);
    }
    static void AddDesignNodes() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.3, 0.3), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.0), false, 1));
    }
    // Closes the window and reads back the preferences it wrote, by default where
    // they go when none stood in the current folder.
    std::string WrittenPrefs(const char* file = "WinQEN/WinQEN.ini") {
        mWindow.reset();
        return ReadFileBytes(Path(file));
    }
    // An undoable edit, which the design has to be asked about before it is lost.
    void Edit() { Window().Document().Add(FNode(kNodePole, FComplex(0.1, 0.2), false, 1)); }

private slots:
    void initTestCase() { mHome = QDir::currentPath(); }

    // Every test runs in a folder of its own, where the preferences file goes.
    void init() {
        mDir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(mDir->path());
        qputenv("XDG_CONFIG_HOME", mDir->path().toUtf8());
        gNodeList.Clear(kNodeBoth);
        mRunner = ScriptedRunner();
    }

    void cleanup() {
        mWindow.reset();
        QDir::setCurrent(mHome);
        mDir.reset();
    }

    void startStateAndTheDefaultsWritten() {
        CMainWindow& w = Window();
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN Untitled"));
        QCOMPARE(w.minimumSize(), QSize(500, 400));
        for (const int id : {kCmdStateSpace, kCmdClearRequirement}) {
            QVERIFY(!w.Action(id)->isEnabled());
        }
        for (const int id :
             {kCmdMagnitudeResponse, kCmdAnalysisGraph, kCmdDifferenceEquation,
              kCmdTransferFunction, kCmdColours, kCmdFilterAudioFile, kCmdFilterAudioStream}) {
            QVERIFY(w.Action(id)->isEnabled());
        }
        QCOMPARE(Marked(w, kUnits), kCmdPolarDegree);
        QCOMPARE(Marked(w, kRates), kCmdRateFirst);
        QVERIFY(Checked(kCmdConfirmation));
        // The only view keeps its mark when chosen again.
        Trigger(kCmdZPlane);
        QVERIFY(Checked(kCmdZPlane));
        QCOMPARE(WrittenPrefs(), kDefaultPrefs);
    }

    void preferencesAtStart_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("unitItem");
        QTest::addColumn<int>("rateItem");
        QTest::addColumn<int>("rateWritten");
        QTest::newRow("22050 Hz, cartesian") << 126 << 22050 << kCmdCartesian << 129 << 22050;
        QTest::newRow("12345 Hz, another rate") << 124 << 12345 << kCmdPolarRadian << 138 << 12345;
        QTest::newRow("0 Hz becomes 8000") << 124 << 0 << kCmdPolarRadian << 127 << 8000;
        QTest::newRow("unknown units") << 999 << 192000 << 0 << 137 << 192000;
    }

    void preferencesAtStart() {
        QFETCH(int, units);
        QFETCH(int, rate);
        QFETCH(int, unitItem);
        QFETCH(int, rateItem);
        QFETCH(int, rateWritten);
        QENPref stored;
        stored.colourPref.clrBack = 0x0D0A0D;
        stored.unitPref = units;
        stored.sampleFreqPref = rate;
        stored.confirmPref = false;
        QVERIFY(WritePrefFile(stored, Path("WinQEN.ini")));
        CMainWindow& w = Window();
        QCOMPARE(Marked(w, kUnits), unitItem);
        QCOMPARE(Marked(w, kRates), rateItem);
        QVERIFY(!Checked(kCmdConfirmation));
        QCOMPARE(w.Design().Graph().SampleRate(), rateWritten);
        QCOMPARE(Rgb(w.Design().Target().Picture(), QPoint(20, 20)), 0x0D0A0Du);
        const std::string written = WrittenPrefs("WinQEN.ini");
        QENPref read;
        DecodePrefs(reinterpret_cast<const uint8_t*>(written.data()), written.size(), &read);
        QCOMPARE(read.sampleFreqPref, rateWritten);
        QCOMPARE(read.colourPref.clrBack, 0x0D0A0Du);
        QCOMPARE(read.unitPref, units);
    }

    void preferenceCommandsReachTheViewsAndTheFile() {
        CMainWindow& w = Window();
        w.Document().Add(FNode(kNodePole, FComplex(0.5, -0.25), false, 1));
        QCOMPARE(w.Design().PoleList().LineText(0), QStringLiteral("0.5590 -26.5651 deg"));
        Trigger(kCmdCartesian);
        Trigger(130);
        Trigger(kCmdConfirmation);
        QCOMPARE(Marked(w, kUnits), kCmdCartesian);
        QCOMPARE(Marked(w, kRates), 130);
        QVERIFY(!Checked(kCmdConfirmation));
        QCOMPARE(w.Design().PoleList().LineText(0), QStringLiteral("0.5000 -0.2500j"));
        QCOMPARE(w.Design().Graph().SampleRate(), 44100);
        QCOMPARE(WrittenPrefs().substr(20, 9), Bytes({0x7E, 0, 0, 0, 0x44, 0xAC, 0, 0, 0}));
    }

    // "Other ..." takes any whole rate from 1 Hz to 1 MHz and names it; a bad entry keeps
    // OK from being offered, and Cancel leaves the rate and the marks as they were.
    void otherSampleRates() {
        CMainWindow& w = Window();
        QStringList refused;
        const auto typing = [&](QStringList texts) {
            mRunner.onExec = [&refused, texts](QDialog& dialog) {
                auto& rate = dynamic_cast<SampleRateDialog&>(dialog);
                for (const QString& text : texts) {
                    rate.Field().setText(text);
                    if (!rate.OkButton().isEnabled()) {
                        refused << rate.Field().toolTip();
                    }
                }
                return rate.OkButton().isEnabled();
            };
        };
        typing({"abc", "0", "1000001", "96000.5", "12345"});
        Trigger(kCmdRateOther);
        QCOMPARE(refused.size(), 4);
        QCOMPARE(refused[0], QStringLiteral("A whole number of Hz from 1 to 1000000"));
        QCOMPARE(Marked(w, kRates), kCmdRateOther);
        QCOMPARE(w.Action(kCmdRateOther)->text(), QStringLiteral("Other (12345 Hz) ..."));
        QCOMPARE(w.Design().Graph().SampleRate(), 12345);
        typing({"abc"});
        Trigger(kCmdRateOther);
        QCOMPARE(Marked(w, kRates), kCmdRateOther);
        Trigger(135);
        QCOMPARE(w.Design().Graph().SampleRate(), 96000);
        QCOMPARE(w.Action(kCmdRateOther)->text(), QStringLiteral("Other ..."));
        // Design > Standard Design ... opens the dialog for the rate.
        double corner = 0;
        mRunner.onExec = [&corner](QDialog& dialog) {
            auto& design = dynamic_cast<StdFilterDlg&>(dialog);
            design.FirstCorner().setValue(StdFilterDlg::kCornerSteps / 2);
            corner = design.FirstCornerValue().Value();
            return false;
        };
        Trigger(kCmdStandardDesign);
        QCOMPARE(corner, 24000.0);
        QCOMPARE(WrittenPrefs().substr(24, 4), Bytes({0x00, 0x77, 0x01, 0x00}));
    }

    void saveSaveAsAndNew() {
        CMainWindow& w = Window();
        Edit();
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN Untitled*"));
        QCOMPARE(w.Action(kCmdUndo)->text(), QStringLiteral("Undo Add Pole"));
        // Save of a design never saved asks for a name; cancelled, nothing is written.
        Trigger(kCmdSave);
        QCOMPARE(mRunner.fileDialogs.back().initialName, QStringLiteral("Untitled.pzd"));
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN Untitled*"));
        QCOMPARE(QDir(mDir->path()).entryList(QDir::Files), QStringList());
        Trigger(kCmdSave, "band.pzd");
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN  ") + QPath("band.pzd"));
        QCOMPARE(ReadFileBytes(Path("band.pzd")), CDesignPersistence::DesignText(gNodeList));
        Trigger(kCmdSaveAs);
        QCOMPARE(mRunner.fileDialogs.back().initialName, QPath("band.pzd"));
        // Undone back to what was saved, the design is unchanged again.
        Trigger(kCmdUndo);
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN  ") + QPath("band.pzd") + '*');
        Trigger(kCmdRedo);
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN  ") + QPath("band.pzd"));
        Trigger(kCmdNew);
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN Untitled"));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(0));
        QCOMPARE(w.Design().PoleList().LineCount(), 0);
        QVERIFY(mRunner.questions.isEmpty());
    }

    void closingAndReplacingAsk_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("edited");
        // For an unchanged design Discard stands for Yes and Cancel for No.
        QTest::addColumn<ModalRunner::Choice>("answer");
        // Whether the command went on, and whether the edit reached the file.
        QTest::addColumn<bool>("done");
        QTest::addColumn<bool>("saved");
        using C = ModalRunner::Choice;
        QTest::newRow("New, Save") << kCmdNew << true << C::Save << true << true;
        QTest::newRow("New, Discard") << kCmdNew << true << C::Discard << true << false;
        QTest::newRow("New, Cancel") << kCmdNew << true << C::Cancel << false << false;
        QTest::newRow("Open, Cancel") << kCmdOpen << true << C::Cancel << false << false;
        QTest::newRow("Open, Discard") << kCmdOpen << true << C::Discard << true << false;
        QTest::newRow("Exit, Discard") << kCmdExit << true << C::Discard << true << false;
        QTest::newRow("close box, Cancel") << 0 << true << C::Cancel << false << false;
        QTest::newRow("close box, Save") << 0 << true << C::Save << true << true;
        QTest::newRow("unchanged, Exit, Yes") << kCmdExit << false << C::Discard << true << false;
        QTest::newRow("unchanged, Exit, No") << kCmdExit << false << C::Cancel << false << false;
        QTest::newRow("unchanged, close box") << 0 << false << C::Cancel << true << false;
    }

    void closingAndReplacingAsk() {
        QFETCH(int, command);
        QFETCH(bool, edited);
        QFETCH(ModalRunner::Choice, answer);
        QFETCH(bool, done);
        QFETCH(bool, saved);
        WriteFileBytes(Path("other.pzd"), kDesign);
        CMainWindow& w = Window();
        Trigger(kCmdSaveAs, "mine.pzd");
        const std::string before = ReadFileBytes(Path("mine.pzd"));
        if (edited) {
            Edit();
        }
        mRunner.saveAnswers = {answer};
        mRunner.yesNoAnswers = {answer == ModalRunner::Choice::Discard};
        mRunner.fileAnswers = {QPath("other.pzd")};
        if (command == 0) {
            w.close();
        } else {
            Trigger(command);
        }
        const bool closing = command == 0 || command == kCmdExit;
        QStringList asked{"Save changes to mine.pzd?"};
        if (!edited) {
            asked = command == kCmdExit ? QStringList{"You sure you want to quit?"} : QStringList();
        }
        QCOMPARE(mRunner.questions, asked);
        QCOMPARE(ReadFileBytes(Path("mine.pzd")) != before, saved);
        QCOMPARE(w.isVisible(), !(closing && done));
        if (edited && !done) {
            QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
            QVERIFY(w.windowTitle().endsWith('*'));
        } else if (!closing) {
            // Opened, the design holds exactly the file's nodes.
            const bool opened = command == kCmdOpen;
            QCOMPARE(gNodeList.GetListCount(kNodePole), short(opened ? 2 : 0));
            QCOMPARE(w.Design().ZeroList().LineCount(), opened ? 1 : 0);
        }
    }

    void failedOpenKeepsTheDesign_data() {
        QTest::addColumn<bool>("chosen");
        QTest::addColumn<QString>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("cancelled") << false << QString() << QString();
        QTest::newRow("missing file") << true << QString() << "No such file or directory";
        QTest::newRow("cut off") << true
                                 << "VERSION=2.0\nDESIGN=ZPlane\nPOLECOUNT=3\nZEROCOUNT=0\n"
                                    "P0=0.1, 0.1, 0\n"
                                 << "the file ends after 1 of 3 pole lines";
    }

    void failedOpenKeepsTheDesign() {
        QFETCH(bool, chosen);
        QFETCH(QString, content);
        QFETCH(QString, reason);
        if (!content.isNull()) {
            WriteFileBytes(Path("bad.pzd"), content.toStdString());
        }
        CMainWindow& w = Window();
        AddDesignNodes();
        Trigger(kCmdSaveAs, "mine.pzd");
        const QString title = w.windowTitle();
        const std::string design = CDesignPersistence::DesignText(gNodeList);
        const QString path = chosen ? QPath("bad.pzd") : QString();
        mRunner.fileAnswers = {path};
        Trigger(kCmdOpen);
        QCOMPARE(mRunner.messages.size(), size_t(chosen ? 1 : 0));
        if (chosen) {
            QCOMPARE(mRunner.messages[0].text, QStringLiteral("Problem loading file \n") + path);
            QCOMPARE(mRunner.messages[0].caption, AppCaption());
            // The loader's reason comes with it.
            QCOMPARE(mRunner.messages[0].details, reason);
        }
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), design);
        QCOMPARE(w.FileName(), QPath("mine.pzd"));
        QCOMPARE(w.windowTitle(), title);
    }

    void failedSaveSaysSo() {
        Trigger(kCmdSaveAs, "no/such/folder/x.pzd");
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text,
                 QStringLiteral("Problem saving file \n") + QPath("no/such/folder/x.pzd"));
        QCOMPARE(Window().FileName(), QPath("no/such/folder/x.pzd"));
    }

    void designsStayExactUnderACommaLocale() {
        CommaLocale comma;
        if (!comma.Active()) {
            QSKIP("no comma-decimal locale installed");
        }
        Window();
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.123456, -0.5), true, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.25, 0.0), false, 1));
        Trigger(kCmdSaveAs, "comma.pzd");
        const std::string text = ReadFileBytes(Path("comma.pzd"));
        QVERIFY(text.find("P0=0.123456, -0.500000, 1 \n") != std::string::npos);
        QVERIFY(text.find("Z0=-1.250000, 0.000000, 0 \n") != std::string::npos);
        Trigger(kCmdNew);
        Trigger(kCmdOpen, "comma.pzd");
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0),
                 FNode(kNodePole, FComplex(0.123456, -0.5), true, 1));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0).Value(), FComplex(-1.25, 0.0));
        QCOMPARE(Window().Design().PoleList().LineText(0), QStringLiteral("0.5150 -76.1304 deg"));
    }

    void copyPutsTheTargetOnTheClipboard() {
        CMainWindow& w = Window();
        Trigger(kCmdCopy);
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.size(), w.Design().Target().size());
        QCOMPARE(Rgb(copied, QPoint(w.Design().Target().Geometry().cx, 40)), 0u);
        QCOMPARE(Rgb(copied, QPoint(0, 0)), 0xA0A0A0u);
    }

    void analysisWindowOpensOnceAndFollowsTheDesign() {
        CMainWindow& w = Window();
        Trigger(129);
        Trigger(kCmdAnalysisGraph);
        GraphWin* graph = w.GraphWnd();
        QVERIFY(graph != nullptr && graph->isVisible());
        QCOMPARE(graph->windowTitle(), QStringLiteral("WinQEN Graph  Untitled"));
        QCOMPARE(graph->Freq().SampleRate(), 22050);
        QCOMPARE(Rgb(graph->Freq().Picture(), QPoint(100, 60)), 0xC0C0C0u);
        QCOMPARE(graph->Freq().Response().Scale(), 1.0);
        Trigger(kCmdAnalysisGraph);
        QCOMPARE(w.GraphWnd(), graph);

        // The steps of a drag leave it alone; the drag's end reaches it.
        w.Document().BeginDrag();
        w.Document().Add(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        QCOMPARE(graph->Freq().Response().Scale(), 1.0);
        w.Document().EndDrag();
        QCOMPARE(graph->Freq().Response().Scale(), 2.0);

        Trigger(131);
        QCOMPARE(graph->Freq().SampleRate(), 48000);
        QCOMPARE(graph->Time().SampleRate(), 48000);
        Trigger(kCmdSaveAs, "d.pzd");
        QCOMPARE(graph->windowTitle(), QStringLiteral("WinQEN Graph  ") + QPath("d.pzd"));
        Trigger(kCmdNew);
        QCOMPARE(graph->windowTitle(), QStringLiteral("WinQEN Graph  Untitled"));
        QCOMPARE(graph->Freq().Response().Scale(), 1.0);
    }

    void reopenedAnalysisWindowStartsAfresh() {
        CMainWindow& w = Window();
        Trigger(kCmdAnalysisGraph);
        GraphWin* graph = w.GraphWnd();
        graph->Action(kCmdStepResponse)->trigger();
        graph->Action(kCmdRadians)->trigger();
        graph->Time().SetDuration(5.0);
        // Ctrl+W of the analysis window.
        graph->Action(kCmdCloseWin)->trigger();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.GraphWnd() == nullptr);
        QVERIFY(w.isVisible());
        Trigger(kCmdAnalysisGraph);
        graph = w.GraphWnd();
        QVERIFY(graph != nullptr);
        QCOMPARE(graph->VisibleGraph(), kCmdFreqResponse);
        QCOMPARE(graph->Freq().PhaseUnits(), kCmdDegrees);
        QCOMPARE(graph->Time().Duration(), 1.0);
        // Closing the main window ends the analysis window with it.
        const QPointer<GraphWin> last = graph;
        QVERIFY(w.close());
        mWindow.reset();
        QVERIFY(last.isNull());
        QVERIFY(QFile::exists(QPath("WinQEN/WinQEN.ini")));
    }

    void colourDialogIsOneAndApplyReachesEveryView() {
        CMainWindow& w = Window();
        Trigger(kCmdAnalysisGraph);
        Trigger(kCmdColours);
        ClrPrefDialog* dialog = w.ColourDialog();
        QVERIFY(dialog != nullptr && dialog->isVisible());
        QCOMPARE(dialog->Colours(), mPrefs.colourPref);
        Trigger(kCmdColours);
        QCOMPARE(w.ColourDialog(), dialog);
        QCOMPARE(w.findChildren<ClrPrefDialog*>().size(), 1);

        mRunner.colourAnswers = {QColor(0x10, 0x20, 0x30)};
        QTest::mouseDClick(&dialog->BackSwatch(), Qt::LeftButton);
        QCOMPARE(mPrefs.colourPref.clrBack, 0xC0C0C0u);
        dialog->ApplyButton().click();
        QCOMPARE(mPrefs.colourPref.clrBack, 0x302010u);
        QCOMPARE(Rgb(w.Design().Target().Picture(), QPoint(20, 20)), 0x102030u);
        QCOMPARE(Rgb(w.Design().Graph().Picture(), QPoint(20, 50)), 0x102030u);
        QCOMPARE(Rgb(w.GraphWnd()->Freq().Picture(), QPoint(100, 60)), 0x102030u);

        // Colours chosen but not applied are gone with the dialog.
        mRunner.colourAnswers = {QColor(0xFF, 0xFF, 0x00)};
        QTest::mouseDClick(&dialog->TraceSwatch(), Qt::LeftButton);
        QVERIFY(dialog->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.ColourDialog() == nullptr);
        Trigger(kCmdColours);
        QCOMPARE(w.ColourDialog()->Colours(), mPrefs.colourPref);
        QCOMPARE(w.ColourDialog()->BackSwatch().BkColour(), 0x302010u);
    }

    // Magnitude Response opens one panel, at the rate of the preferences and following
    // it; Clear Specification is offered while the design has a requirement and takes it
    // away as a step to undo; either changes the design.
    void magnitudeResponsePanelAndClear() {
        CMainWindow& w = Window();
        w.ChangeSampleRate(44100);
        Trigger(kCmdMagnitudeResponse);
        RequirementPanel* panel = w.RequirementWnd();
        QVERIFY(panel != nullptr && panel->isVisible());
        Trigger(kCmdMagnitudeResponse);
        QCOMPARE(w.findChildren<RequirementPanel*>().size(), 1);
        QCOMPARE(panel->PassbandEdge(0).text(), QStringLiteral("5512.5"));
        panel->OnApply();
        QVERIFY(w.Action(kCmdClearRequirement)->isEnabled());
        QCOMPARE(w.windowTitle(), QStringLiteral("WinQEN Untitled*"));
        const StatusBar& status = w.Design().Status();
        // An empty design lets every frequency through.
        QCOMPARE(status.Text(ZPlaneDesign::kVerdictPart),
                 QStringLiteral("Stopband short by 40 dB"));
        w.ChangeSampleRate(8000);
        QCOMPARE(panel->VerdictLine().text(),
                 QStringLiteral("Edges beyond half the sampling rate"));
        QCOMPARE(status.Text(ZPlaneDesign::kVerdictPart), panel->VerdictLine().text());
        Trigger(kCmdClearRequirement);
        QVERIFY(!w.Action(kCmdClearRequirement)->isEnabled());
        QCOMPARE(w.Action(kCmdUndo)->text(), QStringLiteral("Undo Clear Specification"));
        QCOMPARE(status.Text(ZPlaneDesign::kVerdictPart), QString());
        QVERIFY(panel->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(w.RequirementWnd() == nullptr);
    }

    void textDialogs() {
        CMainWindow& w = Window();
        QStringList shown;
        mRunner.onExec = [&shown](QDialog& dialog) {
            if (const auto* text = qobject_cast<TextDialog*>(&dialog)) {
                shown << text->Texts().join('/');
            }
            return true;
        };
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
        Trigger(kCmdTransferFunction);
        Trigger(kCmdSecondOrderSections);
        QCOMPARE(
            shown,
            (QStringList{"y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] ",
                         "+1.0000 /+1.0000*z -0.5000 ",
                         "b0    b1    b2    a0    a1    a2\n0     1     0     1     -0.5  0\n"}));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.5), true, 1));
        Trigger(kCmdDifferenceEquation);
        Trigger(kCmdSecondOrderSections);
        QCOMPARE(shown.size(), 3);
        QCOMPARE(mRunner.messages.size(), size_t(2));
        QCOMPARE(mRunner.messages[1].text,
                 QStringLiteral("Can't show difference equation of non-causal IIR Filter"));
        Trigger(kCmdTransferFunction);
        QCOMPARE(shown.size(), 4);
    }

    // Imported coefficients replace the design in one step to undo; a cancelled import
    // leaves it. Export offers the document's arithmetic, which the Analysis menu and
    // the analysis window's choose alike.
    void importExportAndArithmetic() {
        CMainWindow& w = Window();
        AddDesignNodes();
        const std::string before = CDesignPersistence::DesignText(gNodeList);
        QString exported;
        mRunner.onExec = [](QDialog& dialog) {
            auto& import = dynamic_cast<ImportDialog&>(dialog);
            import.Text().setPlainText("1 0 0 1 -0.5 0\n1 1 0 1 0.25 0");
            import.Sections().setChecked(true);
            return true;
        };
        Trigger(kCmdImportCoefficients);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(2));
        QCOMPARE(gNodeList.GetListCount(kNodeZero), short(2));
        QCOMPARE(w.Document().UndoStack().undoText(), QStringLiteral("Import Coefficients"));
        w.Document().UndoStack().undo();
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), before);
        mRunner.onExec = [&exported](QDialog& dialog) {
            if (auto* exporting = qobject_cast<ExportDialog*>(&dialog)) {
                exported = exporting->ArithmeticChoice().currentText();
            }
            return false;
        };
        Trigger(kCmdImportCoefficients);
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), before);

        const std::vector<int> arithmetics = {kCmdArithmeticFirst, kCmdArithmeticFirst + 1,
                                              kCmdArithmeticFirst + 2, kCmdArithmeticLast};
        QCOMPARE(Marked(w, arithmetics), kCmdArithmeticFirst);
        Trigger(kCmdArithmeticFirst + 2);
        Trigger(kCmdExportImplementation);
        QCOMPARE(exported, QStringLiteral("Q15"));
        Trigger(kCmdAnalysisGraph);
        QCOMPARE(Marked(*w.GraphWnd(), arithmetics), kCmdArithmeticFirst + 2);
        w.GraphWnd()->Action(kCmdArithmeticLast)->trigger();
        QCOMPARE(Marked(w, arithmetics), kCmdArithmeticLast);
        QVERIFY(w.Design().Target().isVisible());
    }

    void filterAudioFileFromItsShortcut() {
        CMainWindow& w = Window();
        const std::string sound = WavFile(WavFormat(2, 16), "", std::string(4 * 3000, '\x11'));
        WriteFileBytes(Path("in.wav"), sound);
        mRunner.fileAnswers = {QPath("in.wav"), QPath("out.wav")};
        mRunner.onExec = [](QDialog& dialog) {
            dynamic_cast<StatusDialog&>(dialog).Run();
            return dialog.result() == 1;
        };
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(mRunner.messages.empty());
        QCOMPARE(ReadFileBytes(Path("out.wav")), sound);
    }

    void audioStreamWindowIsOneAndSaysWhenThereIsNoDevice() {
        CMainWindow& w = Window();
        Trigger(kCmdFilterAudioStream);
        QPointer<AudioStreamWindow> stream = w.StreamWnd();
        QVERIFY(stream);
        Trigger(kCmdFilterAudioStream);
        QCOMPARE(w.StreamWnd(), stream.data());
        if (CAudioDevice().FindOutput("") < 0) {
            QVERIFY(stream->StatusText().startsWith(QStringLiteral("No sound device")));
        }
        stream->close();
        QTRY_VERIFY(!w.StreamWnd());
    }

    void about() {
        Trigger(kCmdAbout);
        QCOMPARE(mRunner.abouts.size(), 1);
        QVERIFY(mRunner.abouts[0].startsWith(QStringLiteral("QEN 2.0\n")));
        QVERIFY(mRunner.abouts[0].contains(
            QStringLiteral("\nWindows version by the WinQEN developers")));
    }
};

QTEST_MAIN(CMainWindowTest)
#include "CMainWindowTest.moc"
