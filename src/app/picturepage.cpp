#include "app/picturepage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

PicturePage::PicturePage(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("bmppageWidget"));
    m_systemLabel = new QLabel(QStringLiteral("企业管理系统"), this);
    m_systemLabel->setObjectName(QStringLiteral("systemLabel"));
    m_companyLabel = new QLabel(QStringLiteral("LW工作室"), this);
    m_companyLabel->setObjectName(QStringLiteral("companyLabel"));
    QFont big = m_systemLabel->font();
    big.setPointSizeF(big.pointSizeF() * 2.5);
    big.setBold(true);
    m_systemLabel->setFont(big);
    QFont medium = m_companyLabel->font();
    medium.setPointSizeF(medium.pointSizeF() * 1.5);
    m_companyLabel->setFont(medium);
}

void PicturePage::setPicture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PicturePage::placeLabels()
{
    // Labels grow with their text (the setup dialog changes it), so measure each time.
    m_systemLabel->adjustSize();
    m_companyLabel->adjustSize();
    m_systemLabel->move((width() - m_systemLabel->width()) / 2, height() / 3 - m_systemLabel->height() / 2);
    m_companyLabel->move((width() - m_companyLabel->width()) / 2, height() - 200);
}

void PicturePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), palette().color(QPalette::Window));
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), m_picture);
}

void PicturePage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLabels();
}

void PicturePage::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
