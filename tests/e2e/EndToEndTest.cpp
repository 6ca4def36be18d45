// Drives the real winqen on a private X server from outside, with real pointer drags,
// keys and the clipboard, the way a person uses it.
#include "XSession.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <cmath>
#include <memory>
#include <optional>

namespace {

// Where the workspace stands on the screen, found from the z-plane view's two axes:
// they are the longest black lines on the screen, spanning the view edge to edge.
struct Workspace {
    QRect plane;   // the z-plane view
    QPoint centre; // the origin of the plane
    int radius = 0;

    int Left() const { return plane.left() - 150; }
    int Top() const { return plane.top() - 21; }
    QPoint FromPlane(double re, double im) const {
        return QPoint(centre.x() + static_cast<int>(std::lround(re * radius)),
                      centre.y() - static_cast<int>(std::lround(im * radius)));
    }
    // Centre of a palette glyph whose box starts offset pixels from the strip's left
    // (a negative offset counts from its right end).
    QPoint PaletteGlyph(int offset) const {
        const int x = offset >= 0 ? plane.left() + offset : plane.right() + 1 + offset;
        return QPoint(x + 7, Top() + 2 + 7);
    }
};

bool IsBlack(const QImage& image, int x, int y) {
    return image.pixel(x, y) == qRgb(0, 0, 0);
}

std::optional<Workspace> FindWorkspace(const QImage& shot) {
    int bestRow = -1, bestRowStart = 0, bestRowLength = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0, run = 0; x <= shot.width(); ++x) {
            if (x < shot.width() && IsBlack(shot, x, y)) {
                ++run;
            } else {
                if (run > bestRowLength) {
                    bestRow = y, bestRowStart = x - run, bestRowLength = run;
                }
                run = 0;
            }
        }
    }
    int bestColumn = -1, bestColumnStart = 0, bestColumnLength = 0;
    for (int x = 0; x < shot.width(); ++x) {
        for (int y = 0, run = 0; y <= shot.height(); ++y) {
            if (y < shot.height() && IsBlack(shot, x, y)) {
                ++run;
            } else {
                if (run > bestColumnLength) {
                    bestColumn = x, bestColumnStart = y - run, bestColumnLength = run;
                }
                run = 0;
            }
        }
    }
    if (bestRowLength < 200 || bestColumnLength < 150) {
        return std::nullopt;
    }
    Workspace w;
    // The axes run from the view's left edge and top edge to one pixel short of the
    // opposite edges, which carry the frame.
    w.plane = QRect(bestRowStart, bestColumnStart, bestRowLength + 1, bestColumnLength + 1);
    w.centre = QPoint(bestColumn, bestRow);
    w.radius = std::min(w.centre.x() - w.plane.left(), w.centre.y() - w.plane.top()) - 10;
    return w;
}

// Pixel colours alike, whatever the images' formats and alpha.
bool SameColours(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.pixel(x, y) & 0xFFFFFF) != (b.pixel(x, y) & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

struct NodeLine {
    QChar kind;
    double re = 0, im = 0;
    int pair = 0;
};

// The node lines of a saved design, in file order.
QList<NodeLine> DesignNodes(const QString& path) {
    QFile file(path);
    QList<NodeLine> nodes;
    if (!file.open(QIODevice::ReadOnly)) {
        return nodes;
    }
    // Dragged values keep every digit, small ones with an exponent.
    static const QRegularExpression line(
        R"(^([PZ])\d+=(-?[0-9.]+(?:e[-+]\d+)?), (-?[0-9.]+(?:e[-+]\d+)?), (\d+) $)");
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const QRegularExpressionMatch m = line.match(QString::fromLatin1(raw));
        if (m.hasMatch()) {
            nodes.append(NodeLine{m.captured(1)[0], m.captured(2).toDouble(),
                                  m.captured(3).toDouble(), m.captured(4).toInt()});
        }
    }
    return nodes;
}

// How many pixels of an image are near a colour: the inked pixels of a text in it.
int PixelsNear(const QImage& image, QRgb colour) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            count += std::abs(qRed(p) - qRed(colour)) + std::abs(qGreen(p) - qGreen(colour)) +
                         std::abs(qBlue(p) - qBlue(colour)) <
                     60;
        }
    }
    return count;
}

} // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void placeNodesFromThePalette();
    void moveAPoleWithTheMouse();
    void undoAndRedoTheMove();
    void zoomWithTheWheel();
    void typeAValueIntoTheZeroList();
    void toggleAPairOnItsGlyph();
    void graphReadOutFollowsTheDesignAndZooms();
    void copyTheStepResponse();
    void designFromTheMagnitudePanelAndDrag();
    void deleteANodeWithTheKeyboard();
    void closeWithUnsavedChangesCancelled();
    void quitThroughTheFileMenu();
    void cleanupTestCase();

private:
    void Save();
    QList<NodeLine> Saved() const { return DesignNodes(mDir.filePath("design.pzd")); }
    // Whether the unit circle, zoomed by scale, passes the screen near 45 degrees.
    bool CircleAt(double scale) const;

    XSession mX;
    QTemporaryDir mDir;
    std::unique_ptr<QProcess> mApp;
    Workspace mSpace;
    double mPixel = 0.01; // one pixel in plane units
};

void EndToEndTest::initTestCase() {
    const QStringList missing = XSession::MissingTools();
    if (!missing.isEmpty()) {
        QSKIP(qPrintable("needs " + missing.join(", ")));
    }
    QVERIFY(mDir.isValid());
    QVERIFY2(mX.Start(), "Xvfb did not start");
    mApp = std::make_unique<QProcess>();
    QProcessEnvironment env = mX.Environment();
    env.insert("HOME", mDir.path());
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    env.remove("XDG_CONFIG_HOME");
    mApp->setProcessEnvironment(env);
    mApp->setWorkingDirectory(mDir.path());
    mApp->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The design named on the command line is opened: an empty one, saved with Ctrl+S.
    QFile design(mDir.filePath("design.pzd"));
    QVERIFY(design.open(QIODevice::WriteOnly));
    design.write("VERSION=2.000000 \nDESIGN=ZPlane \nPOLECOUNT=0 \nZEROCOUNT=0 \n");
    design.close();
    mApp->start(QStringLiteral(WINQEN_PROGRAM), {design.fileName()});
    QVERIFY(mApp->waitForStarted(10000));
    QVERIFY2(mX.WaitForWindow("^WinQEN  .*design.pzd$", 30000) != 0, "no main window");
    // The start-up picture stands over the middle of the screen; a double click
    // closes it (or lands on the empty plane when it has gone already).
    QThread::msleep(500);
    mX.DoubleClick(QPoint(512, 384));
    std::optional<Workspace> space;
    for (int attempt = 0; attempt < 20 && !space; ++attempt) {
        QThread::msleep(300);
        space = FindWorkspace(mX.Screenshot());
    }
    QVERIFY2(space.has_value(), "the z-plane view is not on the screen");
    mSpace = *space;
    QVERIFY(mSpace.radius > 50);
    mPixel = 1.5 / mSpace.radius;
}

void EndToEndTest::Save() {
    mX.Focus("^WinQEN ");
    QFile::remove(mDir.filePath("design.pzd"));
    mX.Key("ctrl+s");
    for (int wait = 0; wait < 50 && !QFile::exists(mDir.filePath("design.pzd")); ++wait) {
        QThread::msleep(100);
    }
    QVERIFY2(QFile::exists(mDir.filePath("design.pzd")), "Ctrl+S wrote no file");
}

void EndToEndTest::placeNodesFromThePalette() {
    // Pole pair glyph (45 pixels from the strip's right end) to 0.5 + 0.5j; single
    // zero glyph (10 from the left) onto the real axis at -0.5.
    mX.Drag(mSpace.PaletteGlyph(-45), mSpace.FromPlane(0.5, 0.5));
    mX.Drag(mSpace.PaletteGlyph(10), mSpace.FromPlane(-0.5, 0.0));
    Save();
    const QString text = QString::fromLatin1([&] {
        QFile f(mDir.filePath("design.pzd"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    QVERIFY2(text.startsWith("VERSION=2.000000 \nDESIGN=ZPlane \nPOLECOUNT=1 \nZEROCOUNT=1 \n"),
             qPrintable(text));
    const QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 2);
    QCOMPARE(nodes[0].kind, QChar('P'));
    QVERIFY(std::abs(nodes[0].re - 0.5) < mPixel && std::abs(nodes[0].im - 0.5) < mPixel);
    QCOMPARE(nodes[0].pair, 1);
    QCOMPARE(nodes[1].kind, QChar('Z'));
    QVERIFY(std::abs(nodes[1].re + 0.5) < mPixel);
    QCOMPARE(nodes[1].im, 0.0);
    QCOMPARE(nodes[1].pair, 0);
}

void EndToEndTest::moveAPoleWithTheMouse() {
    // Grab the lower member of the pair: the pair follows, mirrored.
    mX.Drag(mSpace.FromPlane(0.5, -0.5), mSpace.FromPlane(0.3, -0.6));
    Save();
    const QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 2);
    QVERIFY2(std::abs(nodes[0].re - 0.3) < mPixel && std::abs(std::abs(nodes[0].im) - 0.6) < mPixel,
             qPrintable(QString("pole at %1 %2").arg(nodes[0].re).arg(nodes[0].im)));
    QCOMPARE(nodes[0].pair, 1);
}

void EndToEndTest::undoAndRedoTheMove() {
    const auto poleAt = [this](double re, double im) {
        Save();
        const QList<NodeLine> nodes = Saved();
        return nodes.size() == 2 && std::abs(nodes[0].re - re) < mPixel &&
               std::abs(std::abs(nodes[0].im) - im) < mPixel;
    };
    mX.Focus("^WinQEN ");
    mX.Key("ctrl+z");
    QVERIFY2(poleAt(0.5, 0.5), "Ctrl+Z did not put the pole back");
    mX.Key("ctrl+shift+z");
    QVERIFY2(poleAt(0.3, 0.6), "Ctrl+Shift+Z did not move it again");
}

bool EndToEndTest::CircleAt(double scale) const {
    const QImage shot = mX.Screenshot();
    const int r = static_cast<int>(std::lround(mSpace.radius * scale * std::sqrt(0.5)));
    bool black = false;
    for (int d = 0; d < 25; ++d) {
        black = black ||
                IsBlack(shot, mSpace.centre.x() + r + d % 5 - 2, mSpace.centre.y() - r + d / 5 - 2);
    }
    return black;
}

void EndToEndTest::zoomWithTheWheel() {
    QVERIFY(CircleAt(1.0));
    // One notch up about the origin magnifies by a quarter; Fit All goes back, as
    // every node lies inside the circle.
    mX.Click(mSpace.centre, 4);
    QThread::msleep(300);
    QVERIFY2(CircleAt(1.25) && !CircleAt(1.0), "the wheel did not zoom");
    mX.Focus("^WinQEN ");
    mX.Key("ctrl+0");
    QThread::msleep(300);
    QVERIFY2(CircleAt(1.0), "Fit All did not show the plain view");
}

void EndToEndTest::typeAValueIntoTheZeroList() {
    // A double click on the line's text opens it for typing.
    mX.DoubleClick(QPoint(mSpace.Left() + 2 + 60, mSpace.Top() + 19 + 10));
    mX.Key("ctrl+a");
    mX.Type("0.25 90");
    mX.Key("Return");
    Save();
    const QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 2);
    QCOMPARE(nodes[1].kind, QChar('Z'));
    QVERIFY2(std::abs(nodes[1].re) < 1e-6 && std::abs(nodes[1].im - 0.25) < 1e-6,
             qPrintable(QString("zero at %1 %2").arg(nodes[1].re).arg(nodes[1].im)));
}

void EndToEndTest::toggleAPairOnItsGlyph() {
    // Line 0 of the zero list: its glyph sits at the top left of the list.
    const QPoint glyph(mSpace.Left() + 2 + 12, mSpace.Top() + 19 + 11);
    mX.Click(glyph, 3);
    Save();
    QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 2);
    QCOMPARE(nodes[1].pair, 1);
    mX.Click(glyph, 3);
    Save();
    nodes = Saved();
    QCOMPARE(nodes[1].pair, 0);
}

void EndToEndTest::graphReadOutFollowsTheDesignAndZooms() {
    mX.Focus("^WinQEN  ");
    mX.Key("ctrl+g");
    const qulonglong graph = mX.WaitForWindow("^WinQEN Graph", 15000);
    QVERIFY2(graph != 0, "Ctrl+G opened no analysis window");
    // Small, in the top left corner, clear of the plane's upper half.
    const QString id = QString::number(graph);
    QVERIFY(mX.XDo({"windowmove", "--sync", id, "0", "0"}));
    QVERIFY(mX.XDo({"windowsize", "--sync", id, "420", "320"}));
    QThread::msleep(500);
    const auto shot = [this, &id] {
        return QImage::fromData(mX.Run("import", {"-window", id, "png:-"}), "PNG")
            .convertToFormat(QImage::Format_RGB32);
    };
    // The read-out's strip lies 40 to 20 pixels above the bottom; the frequency stands at
    // its left end. The magnitude panel fills the upper third.
    const auto frequency = [](const QImage& w) { return w.copy(2, w.height() - 37, 78, 14); };
    const auto readout = [](const QImage& w) { return w.copy(0, w.height() - 40, w.width(), 20); };
    const auto magnitude = [](const QImage& w) { return w.copy(20, 40, w.width() - 30, 90); };
    const QImage before = shot();
    mX.Click(QPoint(140, 80));
    const QImage clicked = shot();
    QVERIFY2(!SameColours(frequency(clicked), frequency(before)), "the click read out nothing new");
    // Nudging the upper pole in the main window recomputes the read-out at the same frequency.
    mX.Focus("^WinQEN  ");
    mX.Click(mSpace.FromPlane(0.3, 0.6));
    for (int k = 0; k < 5; ++k) {
        mX.Key("shift+Up");
    }
    QThread::msleep(300);
    const QImage nudged = shot();
    QVERIFY2(SameColours(frequency(nudged), frequency(clicked)), "the cursor lost its frequency");
    QVERIFY2(!SameColours(readout(nudged), readout(clicked)), "the read-out did not follow");
    for (int k = 0; k < 5; ++k) {
        mX.Key("ctrl+z");
    }
    // A dragged rectangle zooms in; Home shows everything again.
    QThread::msleep(300);
    const QImage full = shot();
    mX.Drag(QPoint(200, 60), QPoint(300, 120));
    QVERIFY2(!SameColours(magnitude(shot()), magnitude(full)), "the rectangle did not zoom");
    mX.Focus("^WinQEN Graph");
    mX.Key("Home");
    QVERIFY2(SameColours(magnitude(shot()), magnitude(full)), "Home did not show everything");
    mX.Key("ctrl+w");
    QVERIFY(mX.WaitForWindowGone("^WinQEN Graph", 10000));
}

void EndToEndTest::copyTheStepResponse() {
    mX.Focus("^WinQEN ");
    mX.Key("ctrl+g");
    const qulonglong graph = mX.WaitForWindow("^WinQEN Graph", 15000);
    QVERIFY2(graph != 0, "Ctrl+G opened no analysis window");
    QThread::msleep(500);
    mX.Focus("^WinQEN Graph");
    mX.Key("ctrl+t");
    mX.Key("ctrl+c");
    bool ok = false;
    const QImage copied = QImage::fromData(
        mX.Run("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"}, &ok), "PNG");
    QVERIFY2(ok && !copied.isNull(), "the clipboard holds no picture");
    const QImage window =
        QImage::fromData(mX.Run("import", {"-window", QString::number(graph), "png:-"}), "PNG");
    QVERIFY(!window.isNull());
    // The picture is the time graph's panel: the window's full width, from 3 pixels
    // below the menu bar to 43 pixels above the bottom. Find it on the screen.
    QCOMPARE(copied.width(), window.width());
    const QImage panel = copied.convertToFormat(QImage::Format_RGB32);
    const QImage screen = window.convertToFormat(QImage::Format_RGB32);
    int found = -1;
    for (int y = 0; y + panel.height() <= screen.height() && found < 0; ++y) {
        if (SameColours(screen.copy(0, y, panel.width(), panel.height()), panel)) {
            found = y;
        }
    }
    QVERIFY2(found > 0, "the copied picture is not the panel on the screen");
    QCOMPARE(panel.height(), screen.height() - found - 43);
    // A step response of a stable low-pass design: its trace is drawn.
    int traced = 0;
    for (int y = 0; y < panel.height(); ++y) {
        for (int x = 0; x < panel.width(); ++x) {
            traced += panel.pixel(x, y) == qRgb(0, 128, 0);
        }
    }
    QVERIFY2(traced > 50, "no trace in the step response");
    mX.Key("ctrl+w");
}

void EndToEndTest::designFromTheMagnitudePanelAndDrag() {
    mX.Focus("^WinQEN  ");
    mX.Key("alt+d");
    mX.Key("m");
    const qulonglong panel = mX.WaitForWindow("^Magnitude Specification$", 15000);
    QVERIFY2(panel != 0, "Design, Magnitude Response opened no panel");
    // Clear of the plane's right half, where the dragged pole lies.
    const QString id = QString::number(panel);
    QVERIFY(mX.XDo({"windowmove", "--sync", id, "0", "0"}));
    const auto shot = [this, &id] {
        return QImage::fromData(mX.Run("import", {"-window", id, "png:-"}), "PNG")
            .convertToFormat(QImage::Format_RGB32);
    };
    // The entries at first ask for a low-pass to 1000 Hz, 40 dB down from 1500 Hz at
    // 8000 Hz; Butterworth, the first row, needs order 12.
    mX.Focus("^Magnitude Specification$");
    mX.Key("alt+d");
    Save();
    const QString text = QString::fromLatin1([&] {
        QFile f(mDir.filePath("design.pzd"));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }());
    QVERIFY2(text.contains("SPEC=lowpass;1000;1500;1;40 \nPOLECOUNT=6 \nZEROCOUNT=12 \n"),
             qPrintable(text));
    // The verdict, "Meets specification", in green.
    constexpr QRgb kGreen = qRgb(0, 128, 0);
    constexpr QRgb kRed = qRgb(255, 0, 0);
    const QImage met = shot();
    QVERIFY2(PixelsNear(met, kGreen) > 20 && PixelsNear(met, kRed) == 0, "no green verdict");
    // The pole pair nearest the passband's edge, pulled up into the stopband: the verdict
    // turns red while the button is still down.
    mX.MoveTo(mSpace.FromPlane(0.6184, 0.6652));
    mX.XDo({"mousedown", "1"});
    for (int s = 1; s <= 12; ++s) {
        mX.MoveTo(
            mSpace.FromPlane(0.6184 + (0.39 - 0.6184) * s / 12, 0.6652 + (0.78 - 0.6652) * s / 12));
        QThread::msleep(40);
    }
    QThread::msleep(300);
    const bool redDuringTheDrag = PixelsNear(shot(), kRed) > 20;
    mX.XDo({"mouseup", "1"});
    QVERIFY2(redDuringTheDrag, "the verdict did not follow the drag");
    // Both steps undone, the design is as it was; the panel goes with Escape.
    mX.Focus("^WinQEN  ");
    mX.Key("ctrl+z");
    mX.Key("ctrl+z");
    Save();
    QCOMPARE(Saved().size(), 2);
    mX.Focus("^Magnitude Specification$");
    mX.Key("Escape");
    QVERIFY(mX.WaitForWindowGone("^Magnitude Specification$", 10000));
}

void EndToEndTest::deleteANodeWithTheKeyboard() {
    const QList<NodeLine> before = Saved();
    QCOMPARE(before.size(), 2);
    mX.Focus("^WinQEN ");
    mX.Click(mSpace.FromPlane(before[0].re, before[0].im));
    mX.Key("Delete");
    QVERIFY2(mX.WaitForWindow("^winqen$", 10000) != 0, "no confirmation was asked");
    mX.Key("Return"); // Yes is the default answer
    QVERIFY(mX.WaitForWindowGone("^winqen$", 10000));
    Save();
    const QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 1);
    QCOMPARE(nodes[0].kind, QChar('Z'));
}

void EndToEndTest::closeWithUnsavedChangesCancelled() {
    const QList<NodeLine> nodes = Saved();
    QCOMPARE(nodes.size(), 1);
    mX.Focus("^WinQEN ");
    mX.Click(mSpace.FromPlane(nodes[0].re, nodes[0].im));
    mX.Key("Up");
    QVERIFY2(mX.WaitForWindow("^WinQEN  .*design.pzd\\*$", 10000) != 0, "no * in the title");
    mX.Key("ctrl+w");
    QVERIFY2(mX.WaitForWindow("^winqen$", 10000) != 0, "closing asked nothing");
    mX.Key("Escape");
    QVERIFY(mX.WaitForWindowGone("^winqen$", 10000));
    QThread::msleep(300);
    QCOMPARE(mApp->state(), QProcess::Running);
    QCOMPARE(Saved().size(), 1);
}

void EndToEndTest::quitThroughTheFileMenu() {
    mX.Focus("^WinQEN ");
    mX.Key("alt+f");
    mX.Key("x");
    // The nudged node is unsaved: Return answers Save.
    QVERIFY2(mX.WaitForWindow("^winqen$", 10000) != 0, "Exit asked nothing");
    mX.Key("Return");
    QVERIFY2(mApp->waitForFinished(15000), "winqen did not end");
    QCOMPARE(mApp->exitStatus(), QProcess::NormalExit);
    QCOMPARE(mApp->exitCode(), 0);
    QVERIFY(std::abs(Saved().at(0).im - 0.251) < 1e-6);
    QFile ini(mDir.filePath(".config/WinQEN/WinQEN.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QByteArray record = ini.readAll();
    QCOMPARE(record.size(), 32);
    QCOMPARE(record.left(4), QByteArray("\x00\x80\x00\x00", 4));
    QCOMPARE(record.mid(24, 4), QByteArray("\x40\x1f\x00\x00", 4));
}

void EndToEndTest::cleanupTestCase() {
    if (mApp && mApp->state() != QProcess::NotRunning) {
        mApp->kill();
        mApp->waitForFinished(5000);
    }
}

QTEST_GUILESS_MAIN(EndToEndTest)
#include "EndToEndTest.moc"
