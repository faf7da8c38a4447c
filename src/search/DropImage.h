#pragma once

// A picture that takes drops of a grid's drag (the folder and the bin of the search window).

#include <QLabel>

class DropImage : public QLabel
{
    Q_OBJECT
public:
    explicit DropImage(QWidget *parent = nullptr);

signals:
    // A grid's drag was dropped here; sourceName is the dragging grid's object name.
    void dragDrop(const QString &sourceName);

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
};

// The pictures of the search window, drawn by the program.
namespace searchpictures {
QPixmap folder(int size);
QPixmap emptyBin(int size);
QPixmap fullBin(int size);
QPixmap helpIcon(int size);
} // namespace searchpictures
