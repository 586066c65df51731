#pragma once

#include <QDialog>

class FieldLinks;
class WindowContext;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace engine {
class Query;
}

/// The address entry window "资料输入": the fields of the current record of the address query,
/// for adding (the window stays open from one entry to the next) or changing one entry. Created
/// at start-up, kept above the other windows and shown without blocking them.
class Taddform : public QDialog
{
    Q_OBJECT

public:
    enum class Mode
    {
        Add,
        Change
    };

    /// Bound to the data module's address query.
    explicit Taddform(WindowContext& context, QWidget* parent = nullptr);

    void setMode(Mode mode) { m_mode = mode; }
    Mode mode() const { return m_mode; }

    QGroupBox* GroupBox1 = nullptr;    ///< "新增资料"
    QGroupBox* GroupBox2 = nullptr;    ///< "个人资料"
    QGroupBox* GroupBox3 = nullptr;    ///< "备注"
    QLineEdit* DBEdit1 = nullptr;      ///< 姓名
    QComboBox* DBComboBox1 = nullptr;  ///< 性别
    QLineEdit* DBEdit2 = nullptr;      ///< 家庭电话
    QLineEdit* DBEdit3 = nullptr;      ///< QQ
    QLineEdit* DBEdit4 = nullptr;      ///< 工作电话
    QLineEdit* DBEdit5 = nullptr;      ///< 电子邮件
    QLineEdit* DBEdit6 = nullptr;      ///< 联系电话
    QLineEdit* DBEdit7 = nullptr;      ///< 手机
    QPlainTextEdit* DBMemo1 = nullptr; ///< 备注
    QLabel* Label11 = nullptr;         ///< the information line
    QPushButton* BitBtn1 = nullptr;    ///< "确认"
    QPushButton* BitBtn2 = nullptr;    ///< "取消"

    /// "确认": in add mode stores the entry and starts the next one, in change mode stores and closes.
    void BitBtn1Click();
    /// "取消", Esc and the close box: drops what is pending and closes.
    void BitBtn2Click();
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    engine::Query& m_query;
    FieldLinks* m_links = nullptr;
    QList<QWidget*> m_enterChain;
    Mode m_mode = Mode::Add;
};
