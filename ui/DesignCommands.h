#pragma once

#include "core/FNodeList.h"
#include "design/requirement/Requirement.h"

#include <QUndoCommand>

#include <optional>

class DesignEdits;

// The undoable edits of the design. Each applies itself through DesignEdits, so an
// undo or redo reaches every view exactly as the edit did.

// What the commands share: the drag they were made in, if any. The commands of one
// drag merge, so that the drag undoes in one step.
class DesignCommand : public QUndoCommand {
public:
    // drag: the drag the command belongs to, 0 for none.
    DesignCommand(DesignEdits& edits, int drag, const QString& text);
    int id() const override;

protected:
    // other, of the same drag, as a command of type T; null otherwise.
    template <class T> const T* SameDrag(const QUndoCommand* other) const {
        const auto* command = dynamic_cast<const T*>(other);
        return command != nullptr && command->mDrag == mDrag ? command : nullptr;
    }

    DesignEdits& mEdits;

private:
    int mDrag;
};

// A node placed from the palette: it goes to the head of its list.
class AddNodeCommand : public DesignCommand {
public:
    AddNodeCommand(DesignEdits& edits, int drag, const FNode& node);
    void redo() override;
    void undo() override;
    // Takes in the moves of the new node and, when the drag is given up, its removal.
    bool mergeWith(const QUndoCommand* other) override;

private:
    FNode mNode;
};

// A node given a new value (dragged, nudged or typed) or a new pair flag.
class ChangeNodeCommand : public DesignCommand {
public:
    ChangeNodeCommand(DesignEdits& edits, int drag, int index, const FNode& before,
                      const FNode& after, const QString& text);
    void redo() override;
    void undo() override;
    // Takes in the later moves of the same node.
    bool mergeWith(const QUndoCommand* other) override;

    int Index() const { return mIndex; }
    const FNode& After() const { return mAfter; }

private:
    int mIndex;
    FNode mBefore;
    FNode mAfter;
};

class RemoveNodeCommand : public DesignCommand {
public:
    RemoveNodeCommand(DesignEdits& edits, int drag, int index, const FNode& node);
    void redo() override;
    void undo() override;

    int Index() const { return mIndex; }
    const FNode& Node() const { return mNode; }

private:
    int mIndex;
    FNode mNode;
};

// The whole design replaced, its nodes and its requirement: New, or a generated design.
class ReplaceDesignCommand : public DesignCommand {
public:
    // A design's nodes and requirement.
    struct State {
        FNodeList nodes;
        std::optional<Requirement> requirement;
    };

    ReplaceDesignCommand(DesignEdits& edits, State before, State after, const QString& text);
    void redo() override;
    void undo() override;

private:
    void Apply(const State& state);

    State mBefore;
    State mAfter;
};

// The design's requirement set, changed or cleared; the nodes stay.
class SetRequirementCommand : public DesignCommand {
public:
    SetRequirementCommand(DesignEdits& edits, const std::optional<Requirement>& before,
                          const std::optional<Requirement>& after, const QString& text);
    void redo() override;
    void undo() override;

private:
    std::optional<Requirement> mBefore;
    std::optional<Requirement> mAfter;
};
