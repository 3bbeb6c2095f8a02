// The eraser above the grid: a picture that reports a press of any mouse button, so the
// window can start dragging it onto a cell, and that knows its own drag from any other.
#pragma once

#include <QLabel>
#include <QMimeData>
#include <QUuid>

namespace tessal {

class EraserPicture : public QLabel {
    Q_OBJECT
  public:
    explicit EraserPicture(QWidget* parent) : QLabel(parent) {}

    // What the eraser's drag carries: its own format, holding this eraser's key.
    QMimeData* dragData() const {
        auto* data = new QMimeData;
        data->setData(kFormat, key_);
        return data;
    }
    // True only for this eraser's own drag; one from another program, another copy of the
    // game or another window is none of it.
    bool carries(const QMimeData* data) const {
        return data && data->hasFormat(kFormat) && data->data(kFormat) == key_;
    }

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent*) override { emit pressed(); }

  private:
    // Drawn at random for each eraser, so no other process or window can know it.
    const QByteArray key_ = QUuid::createUuid().toByteArray();
    inline static const QString kFormat = QStringLiteral("application/x-tessal-eraser");
};

} // namespace tessal
