#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class WindowContext;

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

/// A one-field dialog that hands an address to the desktop's default program: the mail and web
/// dialogs differ only in their texts and in how the typed text becomes the address. Created for
/// each use, shown modally, destroyed on close.
class Topenieform : public QDialog
{
    Q_OBJECT

public:
    /// The address for a typed text, or nothing when "确定" should do nothing.
    using AddressRule = std::function<std::optional<QString>(const QString&)>;

    QGroupBox* GroupBox1 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label1 = nullptr;       ///< the two-line note
    QPushButton* BitBtn1 = nullptr; ///< "确定"
    QPushButton* BitBtn2 = nullptr; ///< "取消"

    /// "确定" (and Enter in the box): opens the address and closes, or does nothing.
    void BitBtn1Click();

protected:
    Topenieform(WindowContext& context, const QString& caption, const QString& group, const QString& text,
                const QString& note, AddressRule rule, QWidget* parent);
    void showEvent(QShowEvent* event) override;

private:
    WindowContext& m_context;
    AddressRule m_rule;
};

/// "发送电子邮件": starts the mail program with a message to the typed address.
class Topenieform1 : public Topenieform
{
    Q_OBJECT

public:
    explicit Topenieform1(WindowContext& context, QWidget* parent = nullptr);
};

/// "访问网站": opens the typed web address in the browser.
class Topenieform2 : public Topenieform
{
    Q_OBJECT

public:
    explicit Topenieform2(WindowContext& context, QWidget* parent = nullptr);
};
