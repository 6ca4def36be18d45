#include "ui/DesignDocument.h"
#include "DesignFixtures.h"
#include "TestSupport.h"
#include "ViewDriver.h"
#include "persist/CDesignPersistence.h"

#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <vector>

namespace {

// Poles: P0 a pair at 0.5 + 0.5j, P1 at -0.2; zeros: Z0 at -1.
FNodeList Start() {
    return Design({PoleAt(-0.2, 0), PoleAt(0.5, 0.5, true), ZeroAt(-1, 0)});
}

void Move(DesignDocument& d, int index, const FNode& node) {
    d.Change(kNodePole, index, node, QStringLiteral("Move Pole"));
}

struct Case {
    const char* name;
    std::function<void(DesignDocument&)> action;
    QStringList told;
};

std::vector<Case> Cases() {
    return {
        {"add", [](DesignDocument& d) { d.Add(ZeroAt(0.3, 0)); }, {"added Z0"}},
        {"change", [](DesignDocument& d) { Move(d, 1, PoleAt(0.1, 0)); }, {"changed P1"}},
        {"toggle", [](DesignDocument& d) { d.TogglePair(kNodePole, 1); }, {"changed P1"}},
        {"remove", [](DesignDocument& d) { d.Remove(kNodePole, 0); }, {"removed P0"}},
        {"replace",
         [](DesignDocument& d) { d.ReplaceDesign(FNodeList(), "New Design"); },
         {"replaced"}},
        {"undo and redo of a removal",
         [](DesignDocument& d) {
             d.Remove(kNodePole, 0);
             d.UndoStack().undo();
             d.UndoStack().redo();
         },
         {"removed P0", "added P0", "removed P0"}},
        {"unchanged node", [](DesignDocument& d) { Move(d, 1, PoleAt(-0.2, 0)); }, {}},
        {"drag of a node",
         [](DesignDocument& d) {
             d.BeginDrag();
             Move(d, 1, PoleAt(0.1, 0));
             Move(d, 1, PoleAt(0.2, 0));
             d.EndDrag();
         },
         {"dragged P1", "dragged P1", "changed P1"}},
        {"palette drag",
         [](DesignDocument& d) {
             d.BeginDrag();
             d.Add(PoleAt(0.7, 0));
             Move(d, 0, PoleAt(0.6, 0.1));
             d.EndDrag();
         },
         {"dragged P0", "dragged P0", "added P0"}},
        // Lines have come and gone: the views are told of a removal.
        {"palette drag given up",
         [](DesignDocument& d) {
             d.BeginDrag();
             d.Add(PoleAt(0.7, 0));
             d.Remove(kNodePole, 0);
             d.EndDrag();
         },
         {"dragged P0", "dragged P0", "removed P0"}},
        {"drag that changed nothing",
         [](DesignDocument& d) {
             d.BeginDrag();
             d.EndDrag();
             d.EndDrag();
         },
         {}},
        {"pick", [](DesignDocument& d) { d.Pick(FComplex(0.5, -0.5), 0.1); }, {}},
    };
}

} // namespace

class DesignDocumentTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> mDir;

    QString Path(const char* name) const { return QString::fromStdString(mDir->File(name)); }
    // The design a file holds, as text.
    std::string Loaded(const char* name) const {
        FNodeList design;
        CDesignPersistence::LoadNodeListFromFile(mDir->File(name).c_str(), &design);
        return CDesignPersistence::DesignText(design);
    }

private slots:
    void init() {
        gNodeList = Start();
        mDir = std::make_unique<TempDir>();
    }

    void notifications_data() {
        QTest::addColumn<int>("row");
        const std::vector<Case> cases = Cases();
        for (size_t i = 0; i < cases.size(); ++i) {
            QTest::newRow(cases[i].name) << static_cast<int>(i);
        }
    }

    void notifications() {
        QFETCH(int, row);
        const Case c = Cases()[static_cast<size_t>(row)];
        DesignDocument document;
        DocumentLog log(document);
        c.action(document);
        QCOMPARE(log.seen, c.told);
    }

    // A press near a pair's lower member stores the pair by that member, so that the
    // node picked is found again; the design is no other for it.
    void pickTurnsAPair() {
        DesignDocument document;
        const FNode picked = document.Pick(FComplex(0.5, -0.45), 0.1);
        QCOMPARE(picked, PoleAt(0.5, -0.5, true));
        QCOMPARE(gNodeList.GetIndexOfNode(picked), 0);
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Pick(FComplex(0.0, 0.9), 0.1).Type(), kNodeNone);
    }

    // The file name, whether there is a file, and the modified state through New,
    // edits, Save, undo, Open and a failed Open or Save.
    void fileAndModifiedState() {
        DesignDocument document;
        QSignalSpy names(&document, &DesignDocument::fileNameChanged);
        QSignalSpy modified(&document, &DesignDocument::modifiedChanged);
        QSignalSpy replaced(&document, &DesignDocument::designReplaced);
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

        document.Add(ZeroAt(0.3, 0));
        QCOMPARE(took(modified), QVariantList{true});
        // Without a file, Save writes nothing.
        QVERIFY(!document.Save());
        QVERIFY(document.IsModified());
        document.SetFileName(Path("a.pzd"));
        QCOMPARE(took(names), QVariantList{Path("a.pzd")});
        QVERIFY(document.HasFile());
        QVERIFY(document.Save());
        QCOMPARE(took(modified), QVariantList{false});
        QCOMPARE(ReadFileBytes(mDir->File("a.pzd")), CDesignPersistence::DesignText(gNodeList));
        // Back before the save and forth to it again.
        document.UndoStack().undo();
        document.UndoStack().redo();
        QCOMPARE(took(modified), (QVariantList{true, false}));

        // A failed save leaves the design modified.
        Move(document, 1, PoleAt(0.1, 0));
        document.SetFileName(Path("none/b.pzd"));
        QVERIFY(!document.Save());
        QVERIFY(document.IsModified());
        took(names);
        took(modified);

        // A failed open changes nothing; a good one brings the file's design, unmodified,
        // with no history.
        const std::string before = CDesignPersistence::DesignText(gNodeList);
        QVERIFY(!document.Open(Path("missing.pzd")));
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), before);
        QVERIFY(names.isEmpty() && replaced.isEmpty() && document.IsModified());
        QVERIFY(document.Open(Path("a.pzd")));
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), Loaded("a.pzd"));
        QCOMPARE(took(names), QVariantList{Path("a.pzd")});
        QCOMPARE(took(modified), QVariantList{false});
        QCOMPARE(replaced.size(), 1);
        QCOMPARE(document.UndoStack().count(), 0);

        // New empties the design, unmodified and without a file, as a step to undo.
        document.New();
        QCOMPARE(gNodeList.GetListCount(kNodePole) + gNodeList.GetListCount(kNodeZero), 0);
        QCOMPARE(took(names), QVariantList{QStringLiteral("Untitled")});
        QVERIFY(!document.HasFile() && !document.IsModified());
        took(modified);
        document.UndoStack().undo();
        QCOMPARE(CDesignPersistence::DesignText(gNodeList), Loaded("a.pzd"));
        QCOMPARE(took(modified), QVariantList{true});
    }
};

QTEST_MAIN(DesignDocumentTest)
#include "DesignDocumentTest.moc"
