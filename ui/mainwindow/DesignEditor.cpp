#include "ui/mainwindow/DesignEditor.h"

#include "ui/mainwindow/DesignCommands.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<FNode> NodesOf(const FNodeList& list, int type) {
    std::vector<FNode> nodes;
    for (short i = 0; i < list.GetListCount(type); ++i) {
        nodes.push_back(list.GetNodeByIndex(type, i));
    }
    return nodes;
}

// Sets the nodes of one type, index 0 first.
void SetNodesOf(FNodeList* list, int type, const std::vector<FNode>& nodes) {
    list->Clear(type);
    // Adding puts a node at the head, so the last node goes in first.
    for (auto n = nodes.rbegin(); n != nodes.rend(); ++n) {
        list->AddNode(*n);
    }
}

} // namespace

DesignEditor::DesignEditor(QObject* parent) : QObject(parent), mStack(this) {}

QString DesignEditor::TypeName(int type) {
    return type == kNodePole ? QStringLiteral("Pole") : QStringLiteral("Zero");
}

void DesignEditor::Add(const FNode& node) {
    mStack.push(new AddNodeCommand(*this, node));
}

void DesignEditor::Change(int type, int index, const FNode& node, const QString& text) {
    const FNode before = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    if (before.Type() == kNodeNone || before == node) {
        return;
    }
    mStack.push(new ChangeNodeCommand(*this, index, before, node, text));
}

void DesignEditor::Remove(int type, int index) {
    const FNode node = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    if (node.Type() != kNodeNone) {
        mStack.push(new RemoveNodeCommand(*this, index, node));
    }
}

void DesignEditor::TogglePair(int type, int index) {
    FNode node = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    node.SetConjugate(!node.Conjugate());
    Change(type, index, node, QStringLiteral("Toggle %1 Pair").arg(TypeName(type)));
}

void DesignEditor::ReplaceDesign(const FNodeList& nodes, const QString& text) {
    if (nodes.DumpText() == gNodeList.DumpText()) {
        return;
    }
    mStack.push(new ReplaceDesignCommand(*this, gNodeList, nodes, text));
}

void DesignEditor::AppendDesign(const FNodeList& nodes, const QString& text) {
    FNodeList joined = gNodeList;
    for (const int type : {kNodePole, kNodeZero}) {
        std::vector<FNode> all = NodesOf(nodes, type);
        const std::vector<FNode> kept = NodesOf(gNodeList, type);
        all.insert(all.end(), kept.begin(), kept.end());
        SetNodesOf(&joined, type, all);
    }
    ReplaceDesign(joined, text);
}

void DesignEditor::InsertAt(const FNode& node, int index) {
    std::vector<FNode> nodes = NodesOf(gNodeList, node.Type());
    index = std::clamp(index, 0, static_cast<int>(nodes.size()));
    nodes.insert(nodes.begin() + index, node);
    SetNodesOf(&gNodeList, node.Type(), nodes);
    Announce(
        NodeUpdateMsg{nullptr, ListBitOfType(node.Type()) | kUpdateAdded | kUpdateChanged, index});
}

void DesignEditor::SetAt(int type, int index, const FNode& node) {
    gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(type, static_cast<short>(index)), node);
    Announce(NodeUpdateMsg{nullptr, ListBitOfType(type) | kUpdateChanged, index});
}

void DesignEditor::RemoveAt(int type, int index) {
    gNodeList.RemoveNode(type, static_cast<short>(index));
    Announce(NodeUpdateMsg{nullptr, ListBitOfType(type) | kUpdateRemoved, index});
}

void DesignEditor::SetDesign(const FNodeList& nodes) {
    gNodeList = nodes;
    Announce(NodeUpdateMsg{nullptr, kUpdateRemoved | kUpdatePoles | kUpdateZeros, -1});
}

void DesignEditor::BeginDrag() {
    if (mDragSession == 0) {
        mDragSession = ++mLastSession;
        mDragChange = NodeUpdateMsg{nullptr, 0, -1};
    }
}

void DesignEditor::EndDrag() {
    if (mDragSession == 0) {
        return;
    }
    mDragSession = 0;
    if (mDragChange.what != 0) {
        emit nodeUpdate(mDragChange);
    }
}

void DesignEditor::Announce(const NodeUpdateMsg& msg) {
    if (mDragSession == 0) {
        emit nodeUpdate(msg);
        return;
    }
    mDragChange.what |= msg.what;
    mDragChange.index = msg.index;
    emit nodeUpdate(NodeUpdateMsg{
        nullptr, (msg.what & (kUpdatePoles | kUpdateZeros)) | kUpdateLiveDrag, msg.index});
}
