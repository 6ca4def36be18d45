#include "ui/DesignDocument.h"

#include "filter/Zpk.h"
#include "persist/CDesignPersistence.h"
#include "ui/DesignCommands.h"
#include "ui/VectorState.h"

#include <QFile>

#include <algorithm>
#include <vector>

FNodeList gNodeList;

namespace {

std::vector<FNode> NodesOf(const FNodeList& list, int type) {
    std::vector<FNode> nodes;
    for (short i = 0; i < list.GetListCount(type); ++i) {
        nodes.push_back(list.GetNodeByIndex(type, i));
    }
    return nodes;
}

bool SameDesign(const FNodeList& a, const FNodeList& b) {
    return NodesOf(a, kNodePole) == NodesOf(b, kNodePole) &&
           NodesOf(a, kNodeZero) == NodesOf(b, kNodeZero);
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

DesignDocument::DesignDocument(QObject* parent) : QObject(parent), mStack(this) {
    connect(&mStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

DesignDocument::~DesignDocument() {
    // The history clears itself as it goes, after the document has stopped listening.
    disconnect(&mStack, nullptr, this, nullptr);
}

void DesignDocument::Add(const FNode& node) {
    mStack.push(new AddNodeCommand(*this, mDragSession, node));
}

void DesignDocument::Change(int type, int index, const FNode& node, const QString& text) {
    const FNode before = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    if (before.Type() == kNodeNone || before == node) {
        return;
    }
    mStack.push(new ChangeNodeCommand(*this, mDragSession, index, before, node, text));
}

void DesignDocument::Remove(int type, int index) {
    const FNode node = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    if (node.Type() != kNodeNone) {
        mStack.push(new RemoveNodeCommand(*this, mDragSession, index, node));
    }
}

void DesignDocument::TogglePair(int type, int index) {
    FNode node = gNodeList.GetNodeByIndex(type, static_cast<short>(index));
    node.SetConjugate(!node.Conjugate());
    Change(type, index, node, QStringLiteral("Toggle %1 Pair").arg(NodeTypeName(type)));
}

void DesignDocument::ReplaceDesign(const FNodeList& nodes, const QString& text) {
    ReplaceDesign(nodes, mRequirement, text);
}

void DesignDocument::ReplaceDesign(const FNodeList& nodes, const std::optional<::Requirement>& req,
                                   const QString& text) {
    if (SameDesign(nodes, gNodeList) && req == mRequirement) {
        return;
    }
    mStack.push(new ReplaceDesignCommand(*this, {gNodeList, mRequirement}, {nodes, req}, text));
}

void DesignDocument::ChangeRequirement(const std::optional<::Requirement>& req,
                                       const QString& text) {
    if (req != mRequirement) {
        mStack.push(new SetRequirementCommand(*this, mRequirement, req, text));
    }
}

const RequirementResult* DesignDocument::RequirementCheck(double rate) const {
    if (!mRequirement || mRequirement->CheckAtRate(rate) != ::Requirement::Problem::None) {
        return nullptr;
    }
    if (!mCheck || mCheckRate != rate) {
        // Asked for while drawing, which leaves the vector registers dirty.
        ClearUpperVectorState();
        mCheck = CheckRequirement(Zpk::FromNodeList(gNodeList), *mRequirement, rate);
        mCheckRate = rate;
    }
    return &*mCheck;
}

void DesignDocument::AppendDesign(const FNodeList& nodes, const QString& text) {
    FNodeList joined = gNodeList;
    for (const int type : {kNodePole, kNodeZero}) {
        std::vector<FNode> all = NodesOf(nodes, type);
        const std::vector<FNode> kept = NodesOf(gNodeList, type);
        all.insert(all.end(), kept.begin(), kept.end());
        SetNodesOf(&joined, type, all);
    }
    ReplaceDesign(joined, text);
}

FNode DesignDocument::Pick(FComplex p, double distance) {
    return gNodeList.FindClosestNode(p, distance);
}

void DesignDocument::BeginDrag() {
    if (mDragSession == 0) {
        mDragSession = ++mLastSession;
        mDragChange.reset();
    }
}

void DesignDocument::EndDrag() {
    if (mDragSession == 0) {
        return;
    }
    mDragSession = 0;
    if (mDragChange) {
        emit nodeChanged(mDragChange->type, mDragChange->index, mDragChange->edit);
    }
}

void DesignDocument::New() {
    ReplaceDesign(FNodeList(), std::nullopt, QStringLiteral("New Design"));
    mStack.setClean();
    Name(QStringLiteral("Untitled"), false);
}

bool DesignDocument::Open(const QString& path, QString* reason) {
    // Read aside, so that a file that fails half way leaves the design as it was.
    FNodeList loaded;
    std::optional<::Requirement> req;
    std::string error;
    if (!CDesignPersistence::LoadDesignFromFile(QFile::encodeName(path).constData(), &loaded, &req,
                                                &error)) {
        if (reason != nullptr) {
            *reason = QString::fromStdString(error);
        }
        return false;
    }
    gNodeList = loaded;
    mStack.clear();
    Name(path, true);
    SetRequirement(req);
    AnnounceReplaced();
    return true;
}

void DesignDocument::SetFileName(const QString& path) {
    Name(path, true);
}

bool DesignDocument::Save() {
    if (!mHasFile || !CDesignPersistence::SaveDesignToFile(QFile::encodeName(mFileName).constData(),
                                                           gNodeList, mRequirement)) {
        return false;
    }
    mStack.setClean();
    return true;
}

void DesignDocument::InsertNode(const FNode& node, int index) {
    std::vector<FNode> nodes = NodesOf(gNodeList, node.Type());
    index = std::clamp(index, 0, static_cast<int>(nodes.size()));
    nodes.insert(nodes.begin() + index, node);
    SetNodesOf(&gNodeList, node.Type(), nodes);
    Announce(node.Type(), index, NodeEdit::Added);
}

void DesignDocument::SetNode(int type, int index, const FNode& node) {
    gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(type, static_cast<short>(index)), node);
    Announce(type, index, NodeEdit::Changed);
}

void DesignDocument::RemoveNode(int type, int index) {
    gNodeList.RemoveNode(type, static_cast<short>(index));
    Announce(type, index, NodeEdit::Removed);
}

void DesignDocument::SetDesign(const FNodeList& nodes) {
    gNodeList = nodes;
    AnnounceReplaced();
}

void DesignDocument::SetArithmetic(::Arithmetic arithmetic) {
    if (arithmetic == mArithmetic) {
        return;
    }
    mArithmetic = arithmetic;
    mQuantized.reset();
    emit arithmeticChanged(arithmetic);
}

const QuantizedCascade& DesignDocument::Quantized() const {
    if (!mQuantized) {
        ClearUpperVectorState();
        mQuantized = Quantize(Zpk::FromNodeList(gNodeList), mArithmetic);
    }
    return *mQuantized;
}

void DesignDocument::AnnounceReplaced() {
    mQuantized.reset();
    mCheck.reset();
    emit designReplaced();
}

void DesignDocument::SetRequirement(const std::optional<::Requirement>& req) {
    if (req == mRequirement) {
        return;
    }
    mRequirement = req;
    mCheck.reset();
    emit requirementChanged();
}

void DesignDocument::Announce(int type, int index, NodeEdit edit) {
    mCheck.reset();
    mQuantized.reset();
    if (mDragSession == 0) {
        emit nodeChanged(type, index, edit);
        return;
    }
    // A removal outweighs a placing, which outweighs a move: the views need to know
    // whether lines have moved.
    if (mDragChange && mDragChange->edit != NodeEdit::Changed && edit != NodeEdit::Removed) {
        edit = mDragChange->edit;
    }
    mDragChange = DragChange{type, index, edit};
    emit nodeDragged(type, index);
}

void DesignDocument::Name(const QString& name, bool hasFile) {
    if (name == mFileName && hasFile == mHasFile) {
        return;
    }
    mFileName = name;
    mHasFile = hasFile;
    emit fileNameChanged(mFileName);
}
