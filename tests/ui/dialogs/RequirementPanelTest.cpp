#include "ui/dialogs/RequirementPanel.h"
#include "ViewDriver.h"
#include "design/requirement/MinimumOrder.h"
#include "persist/CDesignPersistence.h"

#include <QTest>

namespace {

// Types the entries: the type first, then "F" or "F1:F2" edges, ripple, attenuation.
void Enter(RequirementPanel& panel, int type, const QString& passband, const QString& stopband,
           const QString& ripple, const QString& attenuation) {
    panel.TypeList().setCurrentIndex(type);
    for (int k = 0; k < 2; ++k) {
        panel.PassbandEdge(k).setText(passband.section(':', k, k));
        panel.StopbandEdge(k).setText(stopband.section(':', k, k));
    }
    panel.Ripple().setText(ripple);
    panel.Attenuation().setText(attenuation);
}

QString Column(RequirementPanel& panel, int column) {
    QStringList cells;
    for (int row = 0; row < panel.Orders().rowCount(); ++row) {
        cells << panel.Orders().item(row, column)->text();
    }
    return cells.join(' ');
}

} // namespace

class RequirementPanelTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    // The table's orders and corners are scipy's buttord, cheb1ord, cheb2ord and
    // ellipord for the entries as they are typed; a bad entry is framed, its tooltip
    // says what is valid, the table empties and Design waits.
    void ordersFollowTheEntries_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("passband");
        QTest::addColumn<QString>("stopband");
        QTest::addColumn<QString>("ripple");
        QTest::addColumn<QString>("attenuation");
        QTest::addColumn<QString>("orders");
        QTest::addColumn<QString>("corners");
        // The tooltip of the entry found bad, or none.
        QTest::addColumn<QString>("problem");
        QTest::newRow("lowpass") << 8000 << 0 << "1000"
                                 << "1500"
                                 << "1"
                                 << "40"
                                 << "12 6 6 4"
                                 << "1051.7 1000.0 1444.4 1000.0"
                                 << "";
        QTest::newRow("highpass at 44100 Hz") << 44100 << 1 << "3000"
                                              << "2000"
                                              << "0.5"
                                              << "60"
                                              << "20 9 9 6"
                                              << "2850.6 3000.0 2018.5 3000.0"
                                              << "";
        QTest::newRow("bandpass") << 8000 << 2 << "1000:2000"
                                  << "500:2500"
                                  << "1"
                                  << "40"
                                  << "8 5 5 4"
                                  << "967.8, 2046.1 1000.0, 2000.0 752.6, 2385.9 1000.0, 2000.0"
                                  << "";
        QTest::newRow("bandstop") << 8000 << 3 << "500:2500"
                                  << "1000:2000"
                                  << "1"
                                  << "40"
                                  << "8 5 5 4"
                                  << "725.7, 2432.5 687.6, 2500.0 944.2, 2080.6 687.6, 2500.0"
                                  << "";
        QTest::newRow("orders beyond 40") << 8000 << 0 << "1000"
                                          << "1010"
                                          << "0.1"
                                          << "80"
                                          << "1003 80 80 17"
                                          << "1001.7 1000.0 1009.8 1000.0"
                                          << "";
        const QString edges = "A frequency above 0 Hz and below 4000 Hz, half the sampling rate";
        QTest::newRow("lowpass stopband below its passband")
            << 8000 << 0 << "1000"
            << "900"
            << "1"
            << "40"
            << "   "
            << "   " << edges + ", above the passband edge";
        QTest::newRow("bandstop stopband outside its passband")
            << 8000 << 3 << "500:2500"
            << "400:2000"
            << "1"
            << "40"
            << "   "
            << "   "
            << "Frequencies above 0 Hz and below 4000 Hz (half the sampling rate), the lower "
               "first, inside the passband";
        QTest::newRow("passband at half the rate") << 8000 << 1 << "4000"
                                                   << "1000"
                                                   << "1"
                                                   << "40"
                                                   << "   "
                                                   << "   " << edges;
        QTest::newRow("attenuation within the ripple") << 8000 << 0 << "1000"
                                                       << "1500"
                                                       << "3"
                                                       << "2"
                                                       << "   "
                                                       << "   "
                                                       << "Decibels above 3, at most 300";
    }

    void ordersFollowTheEntries() {
        QFETCH(int, rate);
        QFETCH(int, type);
        QFETCH(QString, passband);
        QFETCH(QString, stopband);
        QFETCH(QString, ripple);
        QFETCH(QString, attenuation);
        QFETCH(QString, orders);
        QFETCH(QString, corners);
        QFETCH(QString, problem);
        Workspace w;
        RequirementPanel panel(w.runner, w.document, rate);
        panel.show();
        Enter(panel, type, passband, stopband, ripple, attenuation);
        QCOMPARE(Column(panel, 1), orders);
        QCOMPARE(Column(panel, 2), corners);
        QStringList problems;
        for (CheckedField* field :
             {&panel.PassbandEdge(0), &panel.PassbandEdge(1), &panel.StopbandEdge(0),
              &panel.StopbandEdge(1), &panel.Ripple(), &panel.Attenuation()}) {
            if (!field->IsValid()) {
                problems << field->toolTip();
            }
        }
        problems.removeDuplicates();
        QCOMPARE(problems.join('|'), problem);
        QCOMPARE(panel.DesignButton().isEnabled(), problem.isEmpty());
        QCOMPARE(panel.ApplyButton().isEnabled(), problem.isEmpty());
    }

    // Design puts the chosen family's design in place with the requirement, as one step;
    // the entries and buttons follow the document's requirement through undo; an order
    // beyond 40 is explained and changes nothing. The verdict under the panel and in the
    // status bar follows every step of a drag.
    void designApplyAndTheVerdict() {
        Workspace w;
        RequirementPanel panel(w.runner, w.document, 8000);
        panel.show();
        QVERIFY(panel.ApplyButton().isEnabled());
        QCOMPARE(panel.VerdictLine().text(),
                 QStringLiteral("No mask yet: Design or Apply sets one"));
        Enter(panel, 2, "1000:2000", "500:2500", "1", "40");
        const Requirement req = *panel.Entered();
        panel.Orders().selectRow(2);
        QTest::mouseClick(&panel.DesignButton(), Qt::LeftButton);
        Zpk expected;
        MinimumOrderDesign(FStandardDesign::Family::InverseChebyshev, req, 8000)->Design(&expected);
        FNodeList nodes;
        expected.AddToNodeList(&nodes);
        QCOMPARE(CDesignPersistence::DesignText(gNodeList, req),
                 CDesignPersistence::DesignText(nodes, req));
        QCOMPARE(w.document.Requirement(), std::optional(req));
        QCOMPARE(w.document.UndoStack().undoText(), QStringLiteral("Chebyshev II Design"));
        QVERIFY(!panel.ApplyButton().isEnabled());
        const auto verdicts = [&] {
            return panel.VerdictLine().text() + '|' +
                   w.design.Status().Text(ZPlaneDesign::kVerdictPart);
        };
        QCOMPARE(verdicts(), QStringLiteral("Meets specification|Meets specification"));
        // A drag that pulls the first pole pair out towards the stopband: every step is judged.
        const FNode first = gNodeList.GetNodeByIndex(kNodePole, 0);
        w.document.BeginDrag();
        for (double radius : {1.01, 1.03}) {
            FNode moved = first;
            moved.SetValue(FComplex(first.Value().r * radius, first.Value().i * radius));
            w.document.Change(kNodePole, 0, moved, "Move Pole");
            const QString verdict = QString::fromStdString(
                CheckRequirement(Zpk::FromNodeList(gNodeList), req, 8000).Verdict());
            QCOMPARE(verdicts(), verdict + '|' + verdict);
        }
        w.document.EndDrag();
        QVERIFY(!verdicts().startsWith("Meets"));
        // Undone twice, the entries show the requirement there was: none, so they stay.
        w.document.UndoStack().undo();
        w.document.UndoStack().undo();
        QCOMPARE(w.document.Requirement(), std::nullopt);
        QCOMPARE(panel.PassbandEdge(1).text(), QStringLiteral("2000"));
        QVERIFY(panel.ApplyButton().isEnabled());
        QTest::mouseClick(&panel.ApplyButton(), Qt::LeftButton);
        QCOMPARE(w.document.UndoStack().undoText(), QStringLiteral("Set Mask"));
        Enter(panel, 0, "1000", "1010", "0.1", "80");
        w.document.UndoStack().undo();
        QCOMPARE(panel.TypeList().currentIndex(), 0);
        w.document.UndoStack().redo();
        QCOMPARE(panel.Entered(), std::optional(req));
        // Orders the table shows but no design reaches.
        Enter(panel, 0, "1000", "1010", "0.1", "80");
        const int steps = w.document.UndoStack().count();
        panel.Orders().selectRow(0);
        panel.OnDesign();
        QCOMPARE(w.runner.messages.back().text,
                 QStringLiteral("These limits need a Butterworth design of order 1003; the "
                                "largest order there is is 40."));
        QCOMPARE(w.document.UndoStack().count(), steps);
    }

    // Switching the type keeps edges that fit it and puts in edges that do otherwise; the
    // second edges serve the band types alone.
    void typeChanges() {
        Workspace w;
        RequirementPanel panel(w.runner, w.document, 16000);
        panel.show();
        const auto edges = [&panel] {
            return QStringList{panel.PassbandEdge(0).text(), panel.PassbandEdge(1).text(),
                               panel.StopbandEdge(0).text(), panel.StopbandEdge(1).text()}
                .join(' ');
        };
        QCOMPARE(edges(), QStringLiteral("2000  3000 "));
        QVERIFY(!panel.PassbandEdge(1).isEnabled());
        // Type by type: the edges each one leaves.
        const char* after[] = {"2000 4000 1000 5000", "2000 4000 1000 5000", "1000 5000 2000 4000",
                               "1000 5000 2000 4000"};
        const int types[] = {2, 1, 3, 0};
        for (int k = 0; k < 4; ++k) {
            panel.TypeList().setCurrentIndex(types[k]);
            QCOMPARE(edges(), QString(after[k]));
            QCOMPARE(panel.StopbandEdge(1).isEnabled(), types[k] >= 2);
        }
    }
};

QTEST_MAIN(RequirementPanelTest)
#include "RequirementPanelTest.moc"
