// The middle of the table: the three create-book boxes with the Create and Clear buttons (and,
// over the empty boxes, what a pick-up would take), the discard pile and the status line under
// them. Clicks are the model's box, create, clear and discard clicks.
#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace quornet::table {

class ClickLabel;
class TableModel;
class TableZoom;
struct TableArt;

class PlayArea : public QWidget {
    Q_OBJECT
public:
    PlayArea(TableModel& model, const TableZoom& zoom, QWidget* parent);

    void setArt(const TableArt& art);

public slots:
    void sync();

private:
    void buildPilePreview();
    void syncPlaces();
    void syncAddHere();
    void syncPilePreview();
    QPixmap cardPicture(int code) const;

    TableModel& m_model;
    const TableZoom& m_zoom;
    const TableArt* m_art = nullptr;
    std::array<ClickLabel*, 4> m_places{}; // 1..3
    QLabel* m_addHere = nullptr;
    QPushButton* m_create = nullptr;
    QPushButton* m_clearBook = nullptr;
    ClickLabel* m_discard = nullptr;
    ClickLabel* m_besidePile = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_discardedBy = nullptr; // who discarded the top card, over the card's foot
    // What a pick-up would take, over the empty create-book boxes while the player chooses.
    QWidget* m_pilePreview = nullptr;
    QLabel* m_pilePreviewCaption = nullptr;
    QLabel* m_pilePreviewMore = nullptr;
    std::array<QLabel*, 7> m_pilePreviewCards{};
};

} // namespace quornet::table
