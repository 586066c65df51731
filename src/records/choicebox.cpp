#include "records/choicebox.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

void DropDownCombo::showPopup()
{
    if (beforeDropDown && beforeDropDown()) {
        return;
    }
    QComboBox::showPopup();
}

ChoiceBox::ChoiceBox(QWidget* parent)
    : QWidget(parent), m_combo(new DropDownCombo(this)), m_ellipsis(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_combo, 1);
    layout->addWidget(m_ellipsis);
    m_combo->setEditable(true);
    m_combo->setInsertPolicy(QComboBox::NoInsert);
    m_ellipsis->setText(QStringLiteral("…"));
    m_ellipsis->setFixedWidth(16);
    m_ellipsis->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(m_combo);
}
