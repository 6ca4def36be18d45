#pragma once

#include <QLabel>
#include <QWidget>

// A status bar of two sunken text parts that sits exactly where it is placed (not at
// a window's bottom edge): the first part ends a given width before the bar's end.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // The second part's width in pixels; the first takes the rest.
    void SetLastPartWidth(int width);
    // part 0 or 1.
    void SetText(int part, const QString& text);
    QString Text(int part) const;
    QRect PartRect(int part) const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlaceParts();

    QLabel mParts[2];
    int mLastPartWidth = 70;
};
