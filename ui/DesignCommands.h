#pragma once

#include "core/FNodeList.h"

#include <QUndoCommand>

class DesignEditor;

// The undoable edits of the design, one class per kind. Each applies itself through
// DesignEditor's edit functions, so an undo or redo reaches every view exactly as
// the edit did.

// A node placed from the palette: it goes to the head of its list.
class AddNodeCommand : public QUndoCommand {
public:
    AddNodeCommand(DesignEditor& editor, const FNode& node);
    void redo() override;
    void undo() override;

private:
    DesignEditor& mEditor;
    FNode mNode;
};

// A node given a new value (dragged, nudged or typed) or a new pair flag.
class ChangeNodeCommand : public QUndoCommand {
public:
    ChangeNodeCommand(DesignEditor& editor, int index, const FNode& before, const FNode& after,
                      const QString& text);
    void redo() override;
    void undo() override;

private:
    DesignEditor& mEditor;
    int mIndex;
    FNode mBefore;
    FNode mAfter;
};

class RemoveNodeCommand : public QUndoCommand {
public:
    RemoveNodeCommand(DesignEditor& editor, int index, const FNode& node);
    void redo() override;
    void undo() override;

private:
    DesignEditor& mEditor;
    int mIndex;
    FNode mNode;
};

// The whole design replaced: New, or a generated standard design.
class ReplaceDesignCommand : public QUndoCommand {
public:
    ReplaceDesignCommand(DesignEditor& editor, const FNodeList& before, const FNodeList& after,
                         const QString& text);
    void redo() override;
    void undo() override;

private:
    DesignEditor& mEditor;
    FNodeList mBefore;
    FNodeList mAfter;
};
