#pragma once

#include <QFrame>

class QScrollArea;

// A border-less panel that a clickable label collapses to one pixel and
// restores; the height to restore is kept in restoreHeight (the design's Tag).
class TqelPanel : public QFrame {
    Q_OBJECT
public:
    explicit TqelPanel(QWidget* parent = nullptr);

    bool isExpanded() const;
    int restoreHeight() const { return restoreHeight_; }

public slots:
    void toggle();
    void collapse();
    void expand();
    // Height := frame + 2 + the children's heights (for panels stacked top down).
    void fitHeight();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void setPanelHeight(int h);
    int restoreHeight_ = 0;
};

namespace qel {

// Makes a scroll area's range follow the stacked panels and labels inside it
// after one of them changed its height.
void UpdateScrollRange(QScrollArea* area);
QScrollArea* EnclosingScrollArea(const QWidget* w);

}  // namespace qel
