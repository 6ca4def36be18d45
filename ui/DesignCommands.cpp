#include "ui/DesignCommands.h"

#include "ui/DesignEdits.h"

#include <utility>

namespace {

// The id of commands that may merge; the drag they belong to decides whether they do.
constexpr int kDragCommandId = 1;

} // namespace

DesignCommand::DesignCommand(DesignEdits& edits, int drag, const QString& text)
    : QUndoCommand(text), mEdits(edits), mDrag(drag) {}

int DesignCommand::id() const {
    return mDrag != 0 ? kDragCommandId : -1;
}

AddNodeCommand::AddNodeCommand(DesignEdits& edits, int drag, const FNode& node)
    : DesignCommand(edits, drag, QStringLiteral("Add ") + NodeTypeName(node.Type())), mNode(node) {}

void AddNodeCommand::redo() {
    mEdits.InsertNode(mNode, 0);
}

void AddNodeCommand::undo() {
    mEdits.RemoveNode(mNode.Type(), 0);
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

ChangeNodeCommand::ChangeNodeCommand(DesignEdits& edits, int drag, int index, const FNode& before,
                                     const FNode& after, const QString& text)
    : DesignCommand(edits, drag, text), mIndex(index), mBefore(before), mAfter(after) {}

void ChangeNodeCommand::redo() {
    mEdits.SetNode(mBefore.Type(), mIndex, mAfter);
}

void ChangeNodeCommand::undo() {
    mEdits.SetNode(mAfter.Type(), mIndex, mBefore);
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

RemoveNodeCommand::RemoveNodeCommand(DesignEdits& edits, int drag, int index, const FNode& node)
    : DesignCommand(edits, drag, QStringLiteral("Delete ") + NodeTypeName(node.Type())),
      mIndex(index), mNode(node) {}

void RemoveNodeCommand::redo() {
    mEdits.RemoveNode(mNode.Type(), mIndex);
}

void RemoveNodeCommand::undo() {
    mEdits.InsertNode(mNode, mIndex);
}

ReplaceDesignCommand::ReplaceDesignCommand(DesignEdits& edits, State before, State after,
                                           const QString& text)
    : DesignCommand(edits, 0, text), mBefore(std::move(before)), mAfter(std::move(after)) {}

void ReplaceDesignCommand::redo() {
    Apply(mAfter);
}

void ReplaceDesignCommand::undo() {
    Apply(mBefore);
}

void ReplaceDesignCommand::Apply(const State& state) {
    // The requirement first: the views, told of the new nodes, draw them against it.
    mEdits.SetRequirement(state.requirement);
    mEdits.SetDesign(state.nodes);
}

SetRequirementCommand::SetRequirementCommand(DesignEdits& edits,
                                             const std::optional<Requirement>& before,
                                             const std::optional<Requirement>& after,
                                             const QString& text)
    : DesignCommand(edits, 0, text), mBefore(before), mAfter(after) {}

void SetRequirementCommand::redo() {
    mEdits.SetRequirement(mAfter);
}

void SetRequirementCommand::undo() {
    mEdits.SetRequirement(mBefore);
}
