#include "ui/DesignDocument.h"
#include "TestSupport.h"
#include "ViewDriver.h"
#include "filter/Zpk.h"
#include "persist/CDesignPersistence.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <map>

// The document and its commands: every kind of edit, alone and in drags, with what it
// leaves, the steps it takes to undo, what the views are told, and undo and redo of
// all of it; then the file name and the modified state.

namespace {

// A node as "P0.5,0.5~": P or Z, the value, and ~ for a pair.
FNode ParseNode(const QString& text) {
    const QStringList parts = text.mid(1).remove('~').split(',');
    return FNode(text.startsWith('P') ? kNodePole : kNodeZero,
                 FComplex(parts[0].toDouble(), parts[1].toDouble()), text.endsWith('~'), 1);
}

// Nodes separated by blanks, each list's head first.
FNodeList ParseDesign(const QString& text) {
    const QStringList nodes = text.split(' ', Qt::SkipEmptyParts);
    FNodeList design;
    for (auto n = nodes.rbegin(); n != nodes.rend(); ++n) {
        design.AddNode(ParseNode(*n));
    }
    return design;
}

QString Describe(const FNodeList& design) {
    QStringList nodes;
    for (const int type : {kNodePole, kNodeZero}) {
        for (short i = 0; i < design.GetListCount(type); ++i) {
            const FNode n = design.GetNodeByIndex(type, i);
            nodes << QString::asprintf("%c%g,%g%s", type == kNodePole ? 'P' : 'Z', n.Value().r,
                                       n.Value().i, n.Conjugate() ? "~" : "");
        }
    }
    return nodes.join(' ');
}

// Runs "add P0.7,0; move P1 P0.1,0; remove P0; toggle P1; replace <design>;
// append <design>; begin; end; undo; redo", a label such as P1 naming a node.
void Run(DesignDocument& d, const QString& script) {
    for (const QString& action : script.split(';', Qt::SkipEmptyParts)) {
        const QStringList words = action.split(' ', Qt::SkipEmptyParts);
        const QString rest = words.mid(1).join(' ');
        const int type = rest.startsWith('P') ? kNodePole : kNodeZero;
        const int index = words.value(1).mid(1).toInt();
        const QString text = QStringLiteral("Standard Design");
        const std::map<QString, std::function<void()>> verbs = {
            {"add", [&] { d.Add(ParseNode(rest)); }},
            {"move",
             [&] {
                 d.Change(type, index, ParseNode(words.value(2)), "Move " + NodeTypeName(type));
             }},
            {"remove", [&] { d.Remove(type, index); }},
            {"toggle", [&] { d.TogglePair(type, index); }},
            {"replace", [&] { d.ReplaceDesign(ParseDesign(rest), text); }},
            {"append", [&] { d.AppendDesign(ParseDesign(rest), text); }},
            {"begin", [&] { d.BeginDrag(); }},
            {"end", [&] { d.EndDrag(); }},
            {"undo", [&] { d.UndoStack().undo(); }},
            {"redo", [&] { d.UndoStack().redo(); }}};
        verbs.at(words.value(0))();
    }
}

const QString kStart = QStringLiteral("P0.5,0.5~ P-0.2,0 Z-1,0");

// Whether the document's quantised design is that of its design as it is now.
bool QuantizedIsFresh(const DesignDocument& d) {
    const QuantizedCascade fresh = Quantize(Zpk::FromNodeList(gNodeList), d.Arithmetic());
    const QuantizedCascade& kept = d.Quantized();
    return kept.arithmetic == fresh.arithmetic && kept.problem == fresh.problem &&
           kept.roots.poles == fresh.roots.poles && kept.roots.zeros == fresh.roots.zeros &&
           kept.roots.gain == fresh.roots.gain;
}

} // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> mDir;

    QString Path(const char* name) const { return QString::fromStdString(mDir->File(name)); }

private slots:
    void init() {
        gNodeList = ParseDesign(kStart);
        mDir = std::make_unique<TempDir>();
    }

    void edits_data() {
        QTest::addColumn<QString>("script");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("undoText");
        QTest::addColumn<QString>("told");
        const auto row = [](const char* name, const QString& script, const QString& after,
                            int steps, const char* undoText, const char* told) {
            QTest::newRow(name) << script << after << steps << QString(undoText) << QString(told);
        };
        const QString start = kStart;
        row("change", "move P1 P-0.3,0.1", "P0.5,0.5~ P-0.3,0.1 Z-1,0", 1, "Move Pole",
            "changed P1");
        row("remove", "remove P0", "P-0.2,0 Z-1,0", 1, "Delete Pole", "removed P0");
        row("toggle", "toggle P1", "P0.5,0.5~ P-0.2,0~ Z-1,0", 1, "Toggle Pole Pair", "changed P1");
        // A design that differs in a pair flag alone is another design.
        row("replace by the same nodes, one a pair", "replace P0.5,0.5~ P-0.2,0~ Z-1,0",
            "P0.5,0.5~ P-0.2,0~ Z-1,0", 1, "Standard Design", "replaced");
        row("append", "append P0.9,0", "P0.9,0 P0.5,0.5~ P-0.2,0 Z-1,0", 1, "Standard Design",
            "replaced");
        row("edits that change nothing",
            "move P1 P-0.2,0; remove Z1; move Z3 Z0,0; replace " + start + "; begin; end; end",
            start, 0, "", "");
        row("undo and redo", "remove P0; undo; redo", "P-0.2,0 Z-1,0", 1, "Delete Pole",
            "removed P0, added P0, removed P0");
        // A drag's edits are one step, told as they happen and once when it ends.
        row("drag, begun twice", "begin; move P0 P0.4,0.4~; begin; move P0 P0.3,0.3~; end; end",
            "P0.3,0.3~ P-0.2,0 Z-1,0", 1, "Move Pole", "dragged P0, dragged P0, changed P0");
        row("drag back to its start", "begin; move P1 P0.1,0; move P1 P-0.2,0; end", start, 0, "",
            "dragged P1, dragged P1, changed P1");
        row("palette drag", "begin; add P0.7,0; move P0 P0.6,0.1; end",
            "P0.6,0.1 P0.5,0.5~ P-0.2,0 Z-1,0", 1, "Add Pole", "dragged P0, dragged P0, added P0");
        // Lines have come and gone: the views are told of a removal.
        row("palette drag given up", "begin; add P0.7,0; move P0 P0.6,0.1; remove P0; end", start,
            0, "", "dragged P0, dragged P0, dragged P0, removed P0");
        row("two drags", "begin; move P1 P0.1,0; end; begin; move P1 P0.2,0; end",
            "P0.5,0.5~ P0.2,0 Z-1,0", 2, "Move Pole",
            "dragged P1, changed P1, dragged P1, changed P1");
        row("moves outside a drag", "move P1 P0.1,0; move P1 P0.2,0", "P0.5,0.5~ P0.2,0 Z-1,0", 2,
            "Move Pole", "changed P1, changed P1");
    }

    void edits() {
        QFETCH(QString, script);
        QFETCH(QString, after);
        QFETCH(int, steps);
        QFETCH(QString, undoText);
        QFETCH(QString, told);
        DesignDocument document;
        DocumentLog log(document);
        // The quantised design, worked out before, follows every edit.
        document.SetArithmetic(Arithmetic::Q31);
        QVERIFY(QuantizedIsFresh(document));
        Run(document, script);
        QCOMPARE(Describe(gNodeList), after);
        QVERIFY(QuantizedIsFresh(document));
        QCOMPARE(document.UndoStack().count(), steps);
        QCOMPARE(document.UndoStack().undoText(), undoText);
        QCOMPARE(log.seen.join(", "), told);
        for (int step = 0; step < steps; ++step) {
            document.UndoStack().undo();
        }
        QCOMPARE(Describe(gNodeList), kStart);
        QVERIFY(QuantizedIsFresh(document));
        for (int step = 0; step < steps; ++step) {
            document.UndoStack().redo();
        }
        QCOMPARE(Describe(gNodeList), after);
    }

    // The file name and the modified state with their signals, through edits, Save,
    // undo, Open and New; a save that fails, or one without a file, leaves the design
    // modified.
    void fileAndModifiedState() {
        DesignDocument document;
        QSignalSpy names(&document, &DesignDocument::fileNameChanged);
        QSignalSpy modified(&document, &DesignDocument::modifiedChanged);
        const auto took = [](QSignalSpy& spy) {
            QVariantList values;
            for (const QList<QVariant>& arguments : spy) {
                values << arguments.value(0);
            }
            spy.clear();
            return values;
        };
        QCOMPARE(document.FileName(), QStringLiteral("Untitled"));
        QVERIFY(!document.HasFile() && !document.IsModified());
        // The arithmetic is no edit, and told once.
        QSignalSpy arithmetic(&document, &DesignDocument::arithmeticChanged);
        document.SetArithmetic(Arithmetic::F32);
        document.SetArithmetic(Arithmetic::F32);
        QCOMPARE(arithmetic.count(), 1);
        QVERIFY(!document.IsModified() && document.UndoStack().count() == 0);
        Run(document, "add Z0.3,0");
        QVERIFY(!document.Save());
        document.SetFileName(Path("a.pzd"));
        QVERIFY(document.HasFile() && document.Save());
        QCOMPARE(ReadFileBytes(mDir->File("a.pzd")), CDesignPersistence::DesignText(gNodeList));
        Run(document, "undo; redo; move P1 P0.1,0");
        document.SetFileName(Path("none/b.pzd"));
        QVERIFY(!document.Save() && document.IsModified());
        QCOMPARE(took(modified), (QVariantList{true, false, true, false, true}));
        QVERIFY(QuantizedIsFresh(document));
        QVERIFY(document.Open(Path("a.pzd")));
        QVERIFY(QuantizedIsFresh(document));
        QCOMPARE(took(modified), QVariantList{false});
        QCOMPARE(document.UndoStack().count(), 0);
        document.New();
        QCOMPARE(Describe(gNodeList), QString());
        QVERIFY(!document.HasFile() && !document.IsModified());
        QCOMPARE(took(names), (QVariantList{Path("a.pzd"), Path("none/b.pzd"), Path("a.pzd"),
                                            QStringLiteral("Untitled")}));
        // New is no way to lose a design.
        Run(document, "undo");
        QCOMPARE(gNodeList.GetListCount(kNodeZero), short(2));
        QVERIFY(document.IsModified());
    }

    // The requirement travels with the design: set and cleared as steps to undo that
    // modify it, kept by node edits and by a design put in place of the nodes, replaced
    // with them by a design made for another, written and read with the file, cleared by
    // New. Its check follows every edit, also during a drag, and the rate.
    void requirementTravelsWithTheDesign() {
        DesignDocument document;
        QSignalSpy told(&document, &DesignDocument::requirementChanged);
        const auto checked = [&document](double rate) {
            const RequirementResult* check = document.RequirementCheck(rate);
            const RequirementResult fresh =
                CheckRequirement(Zpk::FromNodeList(gNodeList), *document.Requirement(), rate);
            return check != nullptr && check->peakDb == fresh.peakDb &&
                   check->regions[1].worstDb == fresh.regions[1].worstDb;
        };
        Requirement lowpass;
        Requirement highpass;
        highpass.band = Requirement::Band::Highpass;
        highpass.passband = {2000, 0};
        QVERIFY(document.RequirementCheck(8000) == nullptr);
        document.ChangeRequirement(lowpass, "Set Mask");
        document.ChangeRequirement(lowpass, "Set Mask");
        QVERIFY(document.IsModified() && document.UndoStack().count() == 1);
        QVERIFY(checked(22050) && checked(8000));
        // Edges at or beyond half the rate make no check.
        QVERIFY(document.RequirementCheck(3000) == nullptr);
        Run(document, "move P1 P-0.3,0.1; begin; move P0 P0.6,0.2~");
        QVERIFY(checked(8000));
        Run(document, "end; replace P0.1,0; append Z0.2,0");
        QCOMPARE(document.Requirement(), std::optional(lowpass));
        QVERIFY(checked(8000));
        document.ReplaceDesign(ParseDesign("P0.3,0.3~"), highpass, "Elliptic Design");
        QCOMPARE(document.UndoStack().undoText(), QStringLiteral("Elliptic Design"));
        QVERIFY(checked(8000));
        Run(document, "undo");
        QCOMPARE(Describe(gNodeList), QStringLiteral("P0.1,0 Z0.2,0"));
        QCOMPARE(document.Requirement(), std::optional(lowpass));
        Run(document, "redo");
        document.SetFileName(Path("a.pzd"));
        QVERIFY(document.Save());
        QCOMPARE(ReadFileBytes(mDir->File("a.pzd")),
                 CDesignPersistence::DesignText(gNodeList, highpass));
        document.New();
        QCOMPARE(document.Requirement(), std::nullopt);
        Run(document, "undo");
        QCOMPARE(document.Requirement(), std::optional(highpass));
        document.ChangeRequirement(std::nullopt, "Clear Specification");
        QVERIFY(document.Open(Path("a.pzd")));
        QCOMPARE(document.Requirement(), std::optional(highpass));
        QVERIFY(!document.IsModified() && checked(8000));
        // Set, changed by the design, its undo and redo, New, its undo, cleared, opened.
        QCOMPARE(told.count(), 8);
    }
};

QTEST_MAIN(DesignDocumentTest)
#include "DesignDocumentTest.moc"
