#pragma once

#include "arith/Arithmetic.h"
#include "arith/QuantizedCascade.h"
#include "core/FNodeList.h"
#include "design/requirement/Requirement.h"
#include "design/requirement/RequirementCheck.h"
#include "ui/DesignEdits.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <optional>

// The nodes of the open design, for reading. There is one design in the program; only
// its DesignDocument changes it.
extern FNodeList gNodeList;

// The open design: its nodes (kept in gNodeList) and the magnitude requirement it is
// held to, if any, the history of its edits, the file it belongs to and whether it has
// changed since it was loaded or saved. Every change of the
// design is an undoable command pushed here; the document tells the views what changed
// through its signals, and the views follow them, never the commands.
class DesignDocument : public QObject, private DesignEdits {
    Q_OBJECT
public:
    // What became of a node: Added and Removed move the lines after it, Changed keeps
    // every node at its index.
    enum class NodeEdit { Added, Changed, Removed };
    Q_ENUM(NodeEdit)

    // "Untitled", with no file and no history; the nodes are those gNodeList holds.
    explicit DesignDocument(QObject* parent = nullptr);
    ~DesignDocument() override;

    const FNodeList& Nodes() const { return gNodeList; }

    // Undoable edits. type is kNodePole or kNodeZero; index counts within that list.
    // A new node goes to the head of its list.
    void Add(const FNode& node);
    // Gives node index a new value or pair flag; text names the edit ("Move Pole").
    // Nothing is pushed when the node stays as it is or does not exist.
    void Change(int type, int index, const FNode& node, const QString& text);
    void Remove(int type, int index);
    void TogglePair(int type, int index);
    // Replaces the design's nodes, as one step named text ("Standard Design"); the
    // requirement stays. Nothing is pushed when the design stays as it is.
    void ReplaceDesign(const FNodeList& nodes, const QString& text);
    // Replaces the nodes and the requirement together, as one step named text.
    void ReplaceDesign(const FNodeList& nodes, const std::optional<::Requirement>& req,
                       const QString& text);
    // Puts nodes at the heads of the design's lists, as one step named text.
    void AppendDesign(const FNodeList& nodes, const QString& text);

    // The node nearest p within distance (inclusive), or a node of type kNodeNone. A pair
    // is from then on stored by whichever member lies nearer p, so that the node
    // returned is found again by equality. That changes no response and is no edit:
    // nothing is pushed or announced.
    FNode Pick(FComplex p, double distance);

    // A drag over the plane. Until EndDrag, edits are told as nodeDragged and merge into
    // one undo step. Beginning while a drag is on does nothing.
    void BeginDrag();
    // Ends the drag with one nodeChanged for all it did: Removed when it removed a
    // node (a placed node taken away again counts), else Added when it placed one,
    // else Changed. A drag that changed nothing tells nothing.
    void EndDrag();

    // The full path of the design's file; "Untitled" until it has one.
    const QString& FileName() const { return mFileName; }
    // Whether the design was loaded from or saved to FileName().
    bool HasFile() const { return mHasFile; }
    // Whether the design differs from what was last loaded, saved or begun with New.
    bool IsModified() const { return !mStack.isClean(); }

    // An empty design, "Untitled" and unmodified. Undoable: New is no way to lose a design.
    void New();
    // Replaces the design by the file's nodes, with a fresh history; false, with
    // everything left as it was, when the file cannot be read or is no valid design,
    // and then why in *reason when it is given.
    bool Open(const QString& path, QString* reason = nullptr);
    // The file that Save writes; the design has a file from now on.
    void SetFileName(const QString& path);
    // Writes the design to its file; false when it has none or the file cannot be
    // written, which leaves the design modified.
    bool Save();

    QUndoStack& UndoStack() { return mStack; }

    // What the design's magnitude response is held to, kept in its file; none at first.
    const std::optional<::Requirement>& Requirement() const { return mRequirement; }
    // Sets or (with nullopt) clears the requirement, as one step named text; nothing is
    // pushed when it stays as it is.
    void ChangeRequirement(const std::optional<::Requirement>& req, const QString& text);
    // The design checked against its requirement at rate Hz, worked out once for each
    // state of the design and rate however many views ask; null without a requirement
    // or when its edges do not lie below half the rate.
    const RequirementResult* RequirementCheck(double rate) const;
    // The arithmetic the design is to run in, whose effect the views show beside the
    // design (f64, the default, has none to show). A choice of the session: it is not
    // kept in the design file, is no edit, and leaves the design unmodified.
    ::Arithmetic Arithmetic() const { return mArithmetic; }
    void SetArithmetic(::Arithmetic arithmetic);
    // The design as the arithmetic stores it (Quantize), worked out once for each state
    // of the design.
    const QuantizedCascade& Quantized() const;

signals:
    // Node index of list type was added, changed or removed; after a drag, what the
    // whole drag did.
    void nodeChanged(int type, int index, DesignDocument::NodeEdit edit);
    // Node index of list type changed during a drag; nodeChanged follows when it ends.
    void nodeDragged(int type, int index);
    // Every node may have changed: a design replaced, opened or begun anew.
    void designReplaced();
    // The file name or whether the design has a file changed.
    void fileNameChanged(const QString& name);
    void modifiedChanged(bool modified);
    // The requirement was set, changed or cleared.
    void requirementChanged();
    void arithmeticChanged(::Arithmetic arithmetic);

private:
    // What a drag has done so far.
    struct DragChange {
        int type;
        int index;
        NodeEdit edit;
    };

    void InsertNode(const FNode& node, int index) override;
    void SetNode(int type, int index, const FNode& node) override;
    void RemoveNode(int type, int index) override;
    void SetDesign(const FNodeList& nodes) override;
    void SetRequirement(const std::optional<::Requirement>& req) override;

    // Tells the views of a change, or during a drag that the drag goes on.
    void Announce(int type, int index, NodeEdit edit);
    // Announces a new design; the quantized one and the check are worked out again when
    // next asked.
    void AnnounceReplaced();
    void Name(const QString& name, bool hasFile);

    QUndoStack mStack;
    QString mFileName = QStringLiteral("Untitled");
    bool mHasFile = false;
    // The drag that commands pushed now belong to; 0 outside a drag.
    int mDragSession = 0;
    int mLastSession = 0;
    std::optional<DragChange> mDragChange;
    std::optional<::Requirement> mRequirement;
    // The last check and the rate it was made at; cleared by every change of the design.
    mutable std::optional<RequirementResult> mCheck;
    mutable double mCheckRate = 0.0;
    ::Arithmetic mArithmetic = ::Arithmetic::F64;
    mutable std::optional<QuantizedCascade> mQuantized;
};
