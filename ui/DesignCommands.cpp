#include "ui/DesignCommands.h"

#include "ui/DesignEditor.h"

AddNodeCommand::AddNodeCommand(DesignEditor& editor, const FNode& node)
    : QUndoCommand(QStringLiteral("Add ") + DesignEditor::TypeName(node.Type())), mEditor(editor),
      mNode(node) {}

void AddNodeCommand::redo() {
    mEditor.InsertAt(mNode, 0);
}

void AddNodeCommand::undo() {
    mEditor.RemoveAt(mNode.Type(), 0);
}

ChangeNodeCommand::ChangeNodeCommand(DesignEditor& editor, int index, const FNode& before,
                                     const FNode& after, const QString& text)
    : QUndoCommand(text), mEditor(editor), mIndex(index), mBefore(before), mAfter(after) {}

void ChangeNodeCommand::redo() {
    mEditor.SetAt(mBefore.Type(), mIndex, mAfter);
}

void ChangeNodeCommand::undo() {
    mEditor.SetAt(mAfter.Type(), mIndex, mBefore);
}

RemoveNodeCommand::RemoveNodeCommand(DesignEditor& editor, int index, const FNode& node)
    : QUndoCommand(QStringLiteral("Delete ") + DesignEditor::TypeName(node.Type())),
      mEditor(editor), mIndex(index), mNode(node) {}

void RemoveNodeCommand::redo() {
    mEditor.RemoveAt(mNode.Type(), mIndex);
}

void RemoveNodeCommand::undo() {
    mEditor.InsertAt(mNode, mIndex);
}

ReplaceDesignCommand::ReplaceDesignCommand(DesignEditor& editor, const FNodeList& before,
                                           const FNodeList& after, const QString& text)
    : QUndoCommand(text), mEditor(editor), mBefore(before), mAfter(after) {}

void ReplaceDesignCommand::redo() {
    mEditor.SetDesign(mAfter);
}

void ReplaceDesignCommand::undo() {
    mEditor.SetDesign(mBefore);
}
