#pragma once

#include <QLabel>
#include <QWidget>

#include <memory>
#include <vector>

// A status bar of sunken text parts that sits exactly where it is placed (not at a
// window's bottom edge); its owner says where each part ends.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(int parts, QWidget* parent = nullptr);

    // Right edge of each part but the last, in pixels from the bar's left; the last
    // part ends with the bar. Parts without an edge here are left empty.
    void SetPartEdges(std::vector<int> edges);
    // part 0 ... parts - 1; other parts are ignored.
    void SetText(int part, const QString& text);
    QString Text(int part) const;
    void SetTextColour(int part, const QColor& colour);
    // The width a part needs to show text whole.
    int PartWidthFor(const QString& text) const;
    QRect PartRect(int part) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceParts();

    std::vector<std::unique_ptr<QLabel>> mParts;
    std::vector<int> mEdges;
};
