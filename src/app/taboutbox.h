#pragma once

#include <QDialog>

class QLabel;

/// The About box: a borderless picture with the installation's texts, used as the start-up
/// picture and by "关于本软件(&A)". Creating it sets the application title.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QLabel* versionLabel() const { return m_version; }
    QLabel* copyrightLabel() const { return m_copyright; }
    QLabel* websiteLabel() const { return m_website; }
    QLabel* mailLabel() const { return m_mail; }

    /// The picture drawn when the installation has no pic/start.jpg.
    static QPixmap builtInPicture(const QString& title);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QLabel* m_picture = nullptr;
    QLabel* m_copyright = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_website = nullptr;
    QLabel* m_mail = nullptr;
    QString m_title;
};
