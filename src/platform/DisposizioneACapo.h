#pragma once
// A row of buttons that goes on to a second row (and a third) when the
// window is narrower than the row: a toolbar that never elides a caption,
// never pushes its last buttons out of the window and never makes the whole
// window scroll sideways. Where the row fits, it is laid out as a plain
// horizontal row, its expanding spacers sharing the room left over.

#include <QLayout>
#include <QList>

class DisposizioneACapo : public QLayout {
public:
    explicit DisposizioneACapo(QWidget *genitore = nullptr) : QLayout(genitore) {}
    ~DisposizioneACapo() override;

    // Puts the items of a horizontal row laid out in a form in place of it,
    // keeping their order, margins and spacing (the form's row is deleted).
    static DisposizioneACapo *Sostituisci(QWidget *contenitore);

    void addItem(QLayoutItem *voce) override { m_voci.append(voce); }
    int count() const override { return int(m_voci.size()); }
    QLayoutItem *itemAt(int i) const override { return m_voci.value(i); }
    QLayoutItem *takeAt(int i) override;
    Qt::Orientations expandingDirections() const override { return Qt::Horizontal; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int larghezza) const override;
    QSize sizeHint() const override;
    QSize minimumSize() const override;
    void setGeometry(const QRect &r) override;

private:
    // Lays the items out within the rectangle (only measuring, when not
    // applica) and returns the height used.
    int Disponi(const QRect &r, bool applica) const;

    QList<QLayoutItem *> m_voci;
};
