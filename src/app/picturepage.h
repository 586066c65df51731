#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

/// The picture page ("bmppage"): the background picture stretched over the page and the
/// system and company labels, centred on every resize.
class PicturePage : public QWidget
{
    Q_OBJECT

public:
    explicit PicturePage(QWidget* parent = nullptr);

    void setPicture(const QPixmap& picture);
    QPixmap picture() const { return m_picture; }

    QLabel* systemLabel() const { return m_systemLabel; }
    QLabel* companyLabel() const { return m_companyLabel; }
    void placeLabels();

signals:
    /// The right mouse button was released over the picture.
    void menuRequested(const QPoint& globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPixmap m_picture;
    QLabel* m_systemLabel = nullptr;
    QLabel* m_companyLabel = nullptr;
};
