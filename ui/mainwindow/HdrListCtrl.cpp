#include "ui/mainwindow/HdrListCtrl.h"

#include "resources/Artwork.h"
#include "text/NodeValueText.h"
#include "ui/Drawing.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace {

// The line's glyph: 0 single node, 1 conjugate pair.
constexpr int kImageRole = Qt::UserRole;

QIcon GlyphIcon(int bitmapId) {
    // Drawn for ordinary screens and for those scaled by 2, which take the finer one.
    QIcon icon;
    for (const double ratio : {1.0, 2.0}) {
        QPixmap glyph = QPixmap::fromImage(ArtworkBitmap(bitmapId, ratio));
        // The tiles never use the transparent colour, so they show whole.
        glyph.setMask(glyph.createMaskFromColor(QColor(198, 198, 198)));
        icon.addPixmap(glyph);
    }
    return icon;
}

} // namespace

void HdrListCtrl::LabelEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                                  const QModelIndex& index) const {
    auto* line = qobject_cast<QLineEdit*>(editor);
    // An edit ending without anything typed (the focus moved on after a selection)
    // holds the line's old text, which must not be written over a node that has
    // moved since the edit began.
    if (line == nullptr || !line->isModified()) {
        return;
    }
    // A message box shown below takes the focus from the editor, which ends the edit
    // once more; by then there is nothing new to write.
    line->setModified(false);
    mOwner.OnEndListLabelEdit(index.row(), line->text());
}

QRect HdrListCtrl::LabelEditDelegate::DecorationRect(const QTreeWidget& list,
                                                     const QModelIndex& index) const {
    QStyleOptionViewItem option;
    option.initFrom(&list);
    option.rect = list.visualRect(index);
    option.decorationSize = list.iconSize();
    option.decorationPosition = QStyleOptionViewItem::Left;
    option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    option.showDecorationSelected = false;
    initStyleOption(&option, index);
    const QStyle* style = list.style();
    return style->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, &list);
}

HdrListCtrl::HdrListCtrl(ModalRunner& runner, DesignDocument& document, QWidget* parent)
    : QWidget(parent), mRunner(runner), mDocument(document), mHeader(this), mDelegate(*this),
      mList(this) {
    mHeader.setAlignment(Qt::AlignCenter);
    mHeader.setObjectName(QStringLiteral("900"));
    mList.setObjectName(QStringLiteral("901"));
    mList.setColumnCount(1);
    mList.setHeaderLabels({QStringLiteral("Complex Value")});
    mList.setHeaderHidden(true);
    mList.setRootIsDecorated(false);
    mList.setUniformRowHeights(true);
    // The highlight alone marks a line, so that only one node ever looks chosen.
    mList.setSelectionMode(QAbstractItemView::NoSelection);
    mList.setEditTriggers(QAbstractItemView::DoubleClicked);
    // The keys go to the workspace, which acts on the selected node; only an open
    // editor takes them here.
    mList.setFocusPolicy(Qt::NoFocus);
    mList.setIconSize(QSize(15, 15));
    mList.header()->setStretchLastSection(false);
    // The dialog font: small enough for a polar value in degrees to fit the line.
    mList.setFont(DialogFont());
    mList.setItemDelegate(&mDelegate);
    mList.viewport()->installEventFilter(this);
    connect(&mDelegate, &QAbstractItemDelegate::closeEditor, this, &HdrListCtrl::EditClosed);
    connect(&document, &DesignDocument::nodeChanged, this, &HdrListCtrl::OnNodeChanged);
    connect(&document, &DesignDocument::designReplaced, this, &HdrListCtrl::OnDesignReplaced);
}

void HdrListCtrl::OnNodeChanged(int type, int, DesignDocument::NodeEdit edit) {
    if (edit != DesignDocument::NodeEdit::Changed) {
        UnHighlight();
    }
    if (type == mType) {
        UpdateFromNodeList();
    }
}

void HdrListCtrl::OnDesignReplaced() {
    UnHighlight();
    UpdateFromNodeList();
}

void HdrListCtrl::SetBitmapResID(int type, int singleId, int pairId) {
    imageSmall[0] = GlyphIcon(singleId);
    imageSmall[1] = GlyphIcon(pairId);
    mType = type;
    mHeader.setText(type == kNodePole ? QStringLiteral("Poles") : QStringLiteral("Zeros"));
}

void HdrListCtrl::UpdateFromNodeList() {
    // Lines are rewritten in place, so that an editor that is closing keeps its line.
    const FNodeList& nodes = mDocument.Nodes();
    const short count = std::max<short>(nodes.GetListCount(mType), 0);
    while (mList.topLevelItemCount() > count) {
        delete mList.takeTopLevelItem(count);
    }
    for (short i = 0; i < count; ++i) {
        AddItemByIndex(i, nodes.GetNodeByIndex(mType, i));
    }
    // The highlight marks the line that a key press deletes, so it must stay visible.
    QTreeWidgetItem* highlighted = mList.topLevelItem(mHLightIndex);
    if (highlighted != nullptr) {
        SetLineHighlight(highlighted, true);
    } else {
        mHLightIndex = -1;
    }
}

void HdrListCtrl::AddItemByIndex(int index, const FNode& node) {
    QTreeWidgetItem* item = mList.topLevelItem(index);
    if (item == nullptr) {
        item = new QTreeWidgetItem;
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        mList.insertTopLevelItem(std::min(std::max(index, 0), mList.topLevelItemCount()), item);
    }
    SetLineText(item, node.Value());
    SetLineImage(item, node.Conjugate() ? 1 : 0);
    // Measured with the glyph in place, which takes part of the line.
    FitColumn();
}

void HdrListCtrl::SetLineText(QTreeWidgetItem* item, FComplex value) {
    item->setText(0, QString::fromStdString(NodeValueText(value, mUnits)));
    item->setToolTip(0, QString::fromStdString(FullNodeValueText(value, mUnits)));
}

void HdrListCtrl::FitColumn() {
    // At least as wide as the list and as its longest line, which a scroll bar then
    // brings into view, so that no value is cut short.
    mList.resizeColumnToContents(0);
    mList.setColumnWidth(0, std::max(mList.viewport()->width(), mList.columnWidth(0)));
}

void HdrListCtrl::HighlightNode(int index, bool noEdit) {
    UnHighlight();
    QTreeWidgetItem* item = mList.topLevelItem(index);
    if (item == nullptr) {
        return;
    }
    SetLineHighlight(item, true);
    mList.scrollToItem(item, QAbstractItemView::EnsureVisible);
    mHLightIndex = index;
    if (!noEdit) {
        mList.editItem(item, 0);
    }
}

void HdrListCtrl::UnHighlight() {
    for (int i = 0; i < mList.topLevelItemCount(); ++i) {
        SetLineHighlight(mList.topLevelItem(i), false);
    }
    mHLightIndex = -1;
}

void HdrListCtrl::EditHighlighted(const QString& typed) {
    QTreeWidgetItem* item = mList.topLevelItem(mHLightIndex);
    if (item == nullptr) {
        return;
    }
    mList.editItem(item, 0);
    auto* editor = mList.viewport()->findChild<QLineEdit*>();
    if (editor == nullptr) {
        return;
    }
    if (!typed.isEmpty()) {
        editor->setText(typed);
        editor->setModified(true);
    }
    editor->setFocus();
}

void HdrListCtrl::DeleteHighlighted(bool confirm) {
    if (mHLightIndex < 0) {
        return;
    }
    if (confirm && !mRunner.AskYesNo(this, AppCaption(),
                                     QStringLiteral("Sure you want to delete that node?"))) {
        return;
    }
    const int index = mHLightIndex;
    UnHighlight();
    mDocument.Remove(mType, index);
}

void HdrListCtrl::OnEndListLabelEdit(int index, const std::optional<QString>& text) {
    // Cancelling an edit is no mistake.
    if (!text) {
        return;
    }
    FComplex value;
    const QByteArray bytes = text->toUtf8();
    if (!ParseNodeValue(bytes.constData(), mUnits, &value)) {
        mRunner.Message(this, QStringLiteral("Hey Buddy!"), EditErrorText(),
                        ModalRunner::Icon::Error);
        return;
    }
    const FNode old = mDocument.Nodes().GetNodeByIndex(mType, static_cast<short>(index));
    FNode edited(mType, value, old.Conjugate(), 1);
    mDocument.Change(mType, index, edited, QStringLiteral("Edit ") + NodeTypeName(mType));
}

void HdrListCtrl::OnRListClick(QPoint pos) {
    QTreeWidgetItem* item = mList.itemAt(pos);
    const int index = item != nullptr ? mList.indexOfTopLevelItem(item) : -1;
    if (index >= 0 && GlyphRect(index).contains(pos)) {
        mDocument.TogglePair(mType, index);
    }
    // The workspace takes the deletion keys.
    window()->activateWindow();
    window()->setFocus();
}

QString HdrListCtrl::LineText(int index) const {
    const QTreeWidgetItem* item = mList.topLevelItem(index);
    return item != nullptr ? item->text(0) : QString();
}

int HdrListCtrl::LineImage(int index) const {
    const QTreeWidgetItem* item = mList.topLevelItem(index);
    return item != nullptr ? item->data(0, kImageRole).toInt() : -1;
}

bool HdrListCtrl::LineHighlighted(int index) const {
    const QTreeWidgetItem* item = mList.topLevelItem(index);
    return item != nullptr && item->background(0).style() != Qt::NoBrush;
}

QRect HdrListCtrl::GlyphRect(int index) const {
    const QTreeWidgetItem* item = mList.topLevelItem(index);
    if (item == nullptr) {
        return {};
    }
    return mDelegate.DecorationRect(mList, mList.indexFromItem(item));
}

void HdrListCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QRect r = rect();
    const int left = r.left() + 2;
    const int right = r.left() + r.width() - 2;
    const int captionBottom = r.top() + 18;
    mHeader.setGeometry(left, r.top(), right - left, captionBottom - r.top());
    mList.setGeometry(left, captionBottom + 1, right - left,
                      r.top() + r.height() - 2 - (captionBottom + 1));
}

void HdrListCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    Draw3dFrame(painter, rect());
}

void HdrListCtrl::keyPressEvent(QKeyEvent* event) {
    // Enter that ended an edit stops here: the workspace would open the line again.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool HdrListCtrl::eventFilter(QObject* watched, QEvent* event) {
    // The type is tested first: the viewport also has events while the list is being
    // destroyed, when the list can no longer be asked for it.
    if (event->type() == QEvent::Resize && watched == mList.viewport()) {
        FitColumn();
    }
    if (event->type() == QEvent::MouseButtonPress && watched == mList.viewport()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            OnRListClick(mouse->position().toPoint());
            return true;
        }
        // A left press on a line selects its node, as a press on the plane does.
        QTreeWidgetItem* item = mList.itemAt(mouse->position().toPoint());
        if (mouse->button() == Qt::LeftButton && item != nullptr) {
            emit nodeSelected(mList.indexOfTopLevelItem(item));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HdrListCtrl::SetLineImage(QTreeWidgetItem* item, int image) {
    item->setData(0, kImageRole, image);
    item->setIcon(0, imageSmall[image == 1 ? 1 : 0]);
}

void HdrListCtrl::SetLineHighlight(QTreeWidgetItem* item, bool on) {
    const QPalette& p = mList.palette();
    item->setBackground(0, on ? p.brush(QPalette::Active, QPalette::Highlight) : QBrush());
    item->setForeground(0, on ? p.brush(QPalette::Active, QPalette::HighlightedText) : QBrush());
    QFont font = mList.font();
    font.setBold(on);
    item->setFont(0, font);
    // The bold line is wider; the column grows with it, so that it is never cut.
    FitColumn();
}

void HdrListCtrl::EditClosed() {
    // Back to the workspace, which takes Delete, the arrow keys and typing.
    if (parentWidget() != nullptr) {
        parentWidget()->setFocus();
    }
}

QString HdrListCtrl::EditErrorText() const {
    switch (mUnits) {
    case kUnitsCartesian:
        return QStringLiteral("Complex Value must be in\nform: X + Yj");
    case kUnitsPolarRadians:
        return QStringLiteral("Complex Value must be in\nform: Mag Angle rad");
    default:
        return QStringLiteral("Complex Value must be in\nform: Mag Angle deg");
    }
}
