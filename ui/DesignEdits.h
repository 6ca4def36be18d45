#pragma once

#include "core/FNodeList.h"
#include "design/requirement/Requirement.h"

#include <QString>

#include <optional>

// The changes the undoable commands make to the design. Each takes effect at once and
// is announced to the views. The document implements them out of the views' reach, so
// that every change of the design is a command; the commands know only this interface.
class DesignEdits {
public:
    // Puts node at index of its list (clamped to the list's ends).
    virtual void InsertNode(const FNode& node, int index) = 0;
    // Gives node index of list type the value and pair flag of node.
    virtual void SetNode(int type, int index, const FNode& node) = 0;
    virtual void RemoveNode(int type, int index) = 0;
    virtual void SetDesign(const FNodeList& nodes) = 0;
    // Gives the design a magnitude requirement, or none.
    virtual void SetRequirement(const std::optional<Requirement>& req) = 0;

protected:
    ~DesignEdits() = default;
};

// "Pole" or "Zero", for the names of edits.
inline QString NodeTypeName(int type) {
    return type == kNodePole ? QStringLiteral("Pole") : QStringLiteral("Zero");
}
