// The eraser above the grid: a picture that reports a press of any mouse button, so the
// window can start dragging it onto a cell, and that knows its own drag from any other.
#pragma once

#include <QLabel>
#include <QMimeData>

namespace tessal {

class EraserPicture : public QLabel {
    Q_OBJECT
  public:
    explicit EraserPicture(QWidget* parent) : QLabel(parent) {}

    // What the eraser's drag carries: its own format, holding its picture's key.
    QMimeData* dragData() const {
        auto* data = new QMimeData;
        data->setData(kFormat, key());
        return data;
    }
    // True only for the eraser's own drag; a drop from another program is none of it.
    bool carries(const QMimeData* data) const {
        return data && data->hasFormat(kFormat) && data->data(kFormat) == key();
    }

  signals:
    void pressed();

  protected:
    void mousePressEvent(QMouseEvent*) override { emit pressed(); }

  private:
    QByteArray key() const { return QByteArray::number(pixmap().cacheKey()); }
    inline static const QString kFormat = QStringLiteral("application/x-tessal-eraser");
};

} // namespace tessal
