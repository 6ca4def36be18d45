#include "ui/DesignCommands.h"
#include "DesignFixtures.h"
#include "persist/CDesignPersistence.h"
#include "ui/DesignDocument.h"

#include <QTest>

#include <functional>
#include <vector>

// Every kind of edit, made through the document on one design: what it leaves, how
// many steps it takes to undo, and that undoing and redoing them all goes back and
// forth exactly. The edits of one drag merge into one step.

namespace {

// Poles: P0 a pair at 0.5 + 0.5j, P1 at -0.2; zeros: Z0 at -1.
FNodeList Start() {
    return Design({PoleAt(-0.2, 0), PoleAt(0.5, 0.5, true), ZeroAt(-1, 0)});
}

// Exact, pair flags included.
QString Text(const FNodeList& design) {
    return QString::fromStdString(CDesignPersistence::DesignText(design));
}

struct Case {
    const char* name;
    std::function<void(DesignDocument&)> edit;
    FNodeList after;
    int steps;
    const char* undoText;
};

void Move(DesignDocument& d, int index, const FNode& node) {
    d.Change(kNodePole, index, node, QStringLiteral("Move Pole"));
}

std::vector<Case> Cases() {
    const FNode single = PoleAt(-0.2, 0);
    const FNode pair = PoleAt(0.5, 0.5, true);
    const FNode zero = ZeroAt(-1, 0);
    return {
        {"add", [](DesignDocument& d) { d.Add(ZeroAt(0.3, 0)); },
         Design({single, pair, zero, ZeroAt(0.3, 0)}), 1, "Add Zero"},
        {"change", [](DesignDocument& d) { Move(d, 1, PoleAt(-0.3, 0.1)); },
         Design({PoleAt(-0.3, 0.1), pair, zero}), 1, "Move Pole"},
        {"remove", [](DesignDocument& d) { d.Remove(kNodePole, 0); }, Design({single, zero}), 1,
         "Delete Pole"},
        {"toggle", [](DesignDocument& d) { d.TogglePair(kNodePole, 1); },
         Design({PoleAt(-0.2, 0, true), pair, zero}), 1, "Toggle Pole Pair"},
        {"replace",
         [](DesignDocument& d) { d.ReplaceDesign(Design({ZeroAt(0, 1, true)}), "New Design"); },
         Design({ZeroAt(0, 1, true)}), 1, "New Design"},
        // A design that differs in a pair flag alone is another design.
        {"replace by the same nodes, one a pair",
         [=](DesignDocument& d) {
             d.ReplaceDesign(Design({PoleAt(-0.2, 0, true), pair, zero}), "Standard Design");
         },
         Design({PoleAt(-0.2, 0, true), pair, zero}), 1, "Standard Design"},
        {"append",
         [](DesignDocument& d) { d.AppendDesign(Design({PoleAt(0.9, 0)}), "Standard Design"); },
         Design({single, pair, PoleAt(0.9, 0), zero}), 1, "Standard Design"},
        {"unchanged node", [=](DesignDocument& d) { Move(d, 1, single); }, Start(), 0, ""},
        {"missing node",
         [](DesignDocument& d) {
             d.Remove(kNodeZero, 1);
             d.Change(kNodeZero, 3, ZeroAt(0, 0), QStringLiteral("Edit Zero"));
         },
         Start(), 0, ""},
        {"same design", [](DesignDocument& d) { d.ReplaceDesign(Start(), "New Design"); }, Start(),
         0, ""},
        {"drag of a node",
         [](DesignDocument& d) {
             d.BeginDrag();
             Move(d, 0, PoleAt(0.4, 0.4, true));
             Move(d, 0, PoleAt(0.3, 0.3, true));
             d.EndDrag();
         },
         Design({single, PoleAt(0.3, 0.3, true), zero}), 1, "Move Pole"},
        {"drag begun twice",
         [](DesignDocument& d) {
             d.BeginDrag();
             Move(d, 0, PoleAt(0.4, 0.4, true));
             d.BeginDrag();
             Move(d, 0, PoleAt(0.3, 0.3, true));
             d.EndDrag();
         },
         Design({single, PoleAt(0.3, 0.3, true), zero}), 1, "Move Pole"},
        {"drag back to its start",
         [=](DesignDocument& d) {
             d.BeginDrag();
             Move(d, 1, PoleAt(0.1, 0));
             Move(d, 1, single);
             d.EndDrag();
         },
         Start(), 0, ""},
        {"palette drag",
         [](DesignDocument& d) {
             d.BeginDrag();
             d.Add(PoleAt(0.7, 0));
             Move(d, 0, PoleAt(0.6, 0.1));
             d.EndDrag();
         },
         Design({single, pair, PoleAt(0.6, 0.1), zero}), 1, "Add Pole"},
        {"palette drag given up",
         [](DesignDocument& d) {
             d.BeginDrag();
             d.Add(PoleAt(0.7, 0));
             Move(d, 0, PoleAt(0.6, 0.1));
             d.Remove(kNodePole, 0);
             d.EndDrag();
         },
         Start(), 0, ""},
        {"two drags",
         [](DesignDocument& d) {
             for (const double x : {0.1, 0.2}) {
                 d.BeginDrag();
                 Move(d, 1, PoleAt(x, 0));
                 d.EndDrag();
             }
         },
         Design({PoleAt(0.2, 0), pair, zero}), 2, "Move Pole"},
        {"moves outside a drag",
         [](DesignDocument& d) {
             Move(d, 1, PoleAt(0.1, 0));
             Move(d, 1, PoleAt(0.2, 0));
         },
         Design({PoleAt(0.2, 0), pair, zero}), 2, "Move Pole"},
    };
}

} // namespace

class DesignCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void undoAndRedo_data() {
        QTest::addColumn<int>("row");
        const std::vector<Case> cases = Cases();
        for (size_t i = 0; i < cases.size(); ++i) {
            QTest::newRow(cases[i].name) << static_cast<int>(i);
        }
    }

    void undoAndRedo() {
        QFETCH(int, row);
        const Case c = Cases()[static_cast<size_t>(row)];
        gNodeList = Start();
        DesignDocument document;
        QUndoStack& stack = document.UndoStack();
        c.edit(document);
        QCOMPARE(Text(gNodeList), Text(c.after));
        QCOMPARE(stack.count(), c.steps);
        QCOMPARE(stack.undoText(), QString::fromLatin1(c.undoText));
        for (int step = 0; step < c.steps; ++step) {
            stack.undo();
        }
        QCOMPARE(Text(gNodeList), Text(Start()));
        for (int step = 0; step < c.steps; ++step) {
            stack.redo();
        }
        QCOMPARE(Text(gNodeList), Text(c.after));
    }
};

QTEST_MAIN(DesignCommandsTest)
#include "DesignCommandsTest.moc"
