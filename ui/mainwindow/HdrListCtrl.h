#pragma once

#include "core/FNode.h"
#include "ui/DesignDocument.h"
#include "ui/widgets/ClrCStatic.h"

#include <QStyledItemDelegate>
#include <QTreeWidget>
#include <QWidget>

#include <optional>

class ModalRunner;

// The list of the poles or of the zeros of a document beside the z-plane, one line per
// node in the current units, where nodes are selected, values typed, pairs toggled and
// the highlighted node deleted. The highlight is the list's only mark of a line; it
// goes whenever lines move in either list, since it might then mark another node.
class HdrListCtrl : public QWidget {
    Q_OBJECT
public:
    HdrListCtrl(ModalRunner& runner, DesignDocument& document, QWidget* parent = nullptr);

    // Chooses the node type shown (2 poles, 4 zeros) and the glyph bitmaps of a single
    // node and of a pair. Called once, right after construction.
    void SetBitmapResID(int type, int singleId, int pairId);
    void SetUnits(int units) { mUnits = units; }
    int Type() const { return mType; }

    // Rebuilds the lines from the document's nodes. The highlight stays on its line
    // index (off when that line is gone).
    void UpdateFromNodeList();
    // Sets line index to node's text and glyph; a new line when index is past the end.
    void AddItemByIndex(int index, const FNode& node);
    // Highlights line index and, unless noEdit, starts editing its text.
    void HighlightNode(int index, bool noEdit);
    void UnHighlight();
    // Opens the highlighted line for typing; typed, when not empty, replaces its text.
    void EditHighlighted(const QString& typed);
    // Deletes the highlighted node, after asking when confirm is set.
    void DeleteHighlighted(bool confirm);

    // End of an in-place edit of line index: text is absent when the edit was
    // cancelled, which changes nothing. A valid value replaces the node; anything
    // else is answered with a message and changes nothing.
    void OnEndListLabelEdit(int index, const std::optional<QString>& text);
    // A right click at a point of the list's viewport.
    void OnRListClick(QPoint pos);

    int HighlightIndex() const { return mHLightIndex; }
    int LineCount() const { return mList.topLevelItemCount(); }
    QString LineText(int index) const;
    // 0 for a single node, 1 for a pair; -1 when there is no such line.
    int LineImage(int index) const;
    bool LineHighlighted(int index) const;
    // Where line index's glyph is drawn, in the viewport's coordinates.
    QRect GlyphRect(int index) const;
    QTreeWidget& List() { return mList; }
    ClrCStatic& Header() { return mHeader; }

signals:
    // A left press chose line index.
    void nodeSelected(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Ends edits in place of the list's own label handling: typed text never goes
    // straight into a line.
    class LabelEditDelegate : public QStyledItemDelegate {
    public:
        explicit LabelEditDelegate(HdrListCtrl& owner) : mOwner(owner) {}
        void setModelData(QWidget* editor, QAbstractItemModel* model,
                          const QModelIndex& index) const override;
        QRect DecorationRect(const QTreeWidget& list, const QModelIndex& index) const;

    private:
        HdrListCtrl& mOwner;
    };

    void OnNodeChanged(int type, int index, DesignDocument::NodeEdit edit);
    void OnDesignReplaced();
    void SetLineImage(QTreeWidgetItem* item, int image);
    // The line's text in the list's units, with the full value as its tooltip.
    void SetLineText(QTreeWidgetItem* item, FComplex value);
    void FitColumn();
    void SetLineHighlight(QTreeWidgetItem* item, bool on);
    void EditClosed();
    QString EditErrorText() const;

    ModalRunner& mRunner;
    DesignDocument& mDocument;
    int mType = kNodeZero;
    int mHLightIndex = -1;
    int mUnits = 125;
    ClrCStatic mHeader;
    // Before the list, which uses it until it is gone.
    LabelEditDelegate mDelegate;
    QTreeWidget mList;
    QIcon imageSmall[2];
};
