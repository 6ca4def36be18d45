#pragma once

#include "core/FNodeList.h"
#include "ui/mainwindow/NodeUpdateMsg.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

// The one way the design is changed: every edit a user makes is pushed as an undoable
// command, and every command, done or undone, changes gNodeList through the edit
// functions below, which announce the change with the node-update notification. The
// views follow that notification, never the commands.
class DesignEditor : public QObject {
    Q_OBJECT
public:
    explicit DesignEditor(QObject* parent = nullptr);

    // Undoable edits. type is kNodePole or kNodeZero; index counts within that list.
    void Add(const FNode& node);
    // Gives node index a new value or pair flag; text names the edit ("Move Pole").
    // Nothing is pushed when the node stays as it is.
    void Change(int type, int index, const FNode& node, const QString& text);
    void Remove(int type, int index);
    void TogglePair(int type, int index);
    // Replaces the whole design by nodes, as one step named text ("New Design");
    // nothing is pushed when the design stays as it is.
    void ReplaceDesign(const FNodeList& nodes, const QString& text);
    // Adds nodes to the design, as one step named text.
    void AppendDesign(const FNodeList& nodes, const QString& text);

    // Edit functions: change gNodeList at once and announce it. A node inserted at
    // index 0 is what adding does.
    void InsertAt(const FNode& node, int index);
    void SetAt(int type, int index, const FNode& node);
    void RemoveAt(int type, int index);
    void SetDesign(const FNodeList& nodes);

    // A drag over the plane. Until EndDrag, edits show only in the compact response,
    // as a live drag does, and merge into one undo step. Beginning while a drag is
    // on does nothing.
    void BeginDrag();
    // Ends the drag: every view follows what it changed, once.
    void EndDrag();
    // The drag that commands pushed now belong to; 0 outside a drag.
    int DragSession() const { return mDragSession; }

    QUndoStack& Stack() { return mStack; }

    // "Pole" or "Zero".
    static QString TypeName(int type);

signals:
    void nodeUpdate(const NodeUpdateMsg& msg);

private:
    // Tells the views of a change, or during a drag only the compact response.
    void Announce(const NodeUpdateMsg& msg);

    QUndoStack mStack;
    int mDragSession = 0;
    int mLastSession = 0;
    // What the current drag has changed, told when it ends.
    NodeUpdateMsg mDragChange;
};
