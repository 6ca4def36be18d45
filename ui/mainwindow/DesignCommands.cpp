#include "ui/mainwindow/DesignCommands.h"

#include "ui/mainwindow/DesignEditor.h"

namespace {

// The id of commands that may merge; the drag they belong to decides whether they do.
constexpr int kDragCommandId = 1;

} // namespace

DesignCommand::DesignCommand(DesignEditor& editor, const QString& text)
    : QUndoCommand(text), mEditor(editor), mDrag(editor.DragSession()) {}

int DesignCommand::id() const {
    return mDrag != 0 ? kDragCommandId : -1;
}

AddNodeCommand::AddNodeCommand(DesignEditor& editor, const FNode& node)
    : DesignCommand(editor, QStringLiteral("Add ") + DesignEditor::TypeName(node.Type())),
      mNode(node) {}

void AddNodeCommand::redo() {
    mEditor.InsertAt(mNode, 0);
}

void AddNodeCommand::undo() {
    mEditor.RemoveAt(mNode.Type(), 0);
}

bool AddNodeCommand::mergeWith(const QUndoCommand* other) {
    if (const auto* move = SameDrag<ChangeNodeCommand>(other);
        move != nullptr && move->Index() == 0 && move->After().Type() == mNode.Type()) {
        mNode = move->After();
        return true;
    }
    if (const auto* removal = SameDrag<RemoveNodeCommand>(other);
        removal != nullptr && removal->Index() == 0 && removal->Node().Type() == mNode.Type()) {
        // Added and taken away again: the drag leaves nothing to undo.
        setObsolete(true);
        return true;
    }
    return false;
}

ChangeNodeCommand::ChangeNodeCommand(DesignEditor& editor, int index, const FNode& before,
                                     const FNode& after, const QString& text)
    : DesignCommand(editor, text), mIndex(index), mBefore(before), mAfter(after) {}

void ChangeNodeCommand::redo() {
    mEditor.SetAt(mBefore.Type(), mIndex, mAfter);
}

void ChangeNodeCommand::undo() {
    mEditor.SetAt(mAfter.Type(), mIndex, mBefore);
}

bool ChangeNodeCommand::mergeWith(const QUndoCommand* other) {
    const auto* move = SameDrag<ChangeNodeCommand>(other);
    if (move == nullptr || move->mIndex != mIndex || move->mAfter.Type() != mAfter.Type()) {
        return false;
    }
    mAfter = move->mAfter;
    // A drag that ends where it began changes nothing.
    setObsolete(mAfter == mBefore);
    return true;
}

RemoveNodeCommand::RemoveNodeCommand(DesignEditor& editor, int index, const FNode& node)
    : DesignCommand(editor, QStringLiteral("Delete ") + DesignEditor::TypeName(node.Type())),
      mIndex(index), mNode(node) {}

void RemoveNodeCommand::redo() {
    mEditor.RemoveAt(mNode.Type(), mIndex);
}

void RemoveNodeCommand::undo() {
    mEditor.InsertAt(mNode, mIndex);
}

ReplaceDesignCommand::ReplaceDesignCommand(DesignEditor& editor, const FNodeList& before,
                                           const FNodeList& after, const QString& text)
    : DesignCommand(editor, text), mBefore(before), mAfter(after) {}

void ReplaceDesignCommand::redo() {
    mEditor.SetDesign(mAfter);
}

void ReplaceDesignCommand::undo() {
    mEditor.SetDesign(mBefore);
}
