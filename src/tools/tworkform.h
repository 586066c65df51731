#pragma once

#include "tools/officelistwindow.h"

class Taddform;

/// The address book "通讯录": the entries of the address query, searched as the user types and
/// sorted by column title; "新增" and "修改" go through the entry window. Created on first use,
/// kept for the run and shown without blocking the other windows.
class Tworkform : public OfficeListWindow
{
    Q_OBJECT

public:
    /// Lists the data module's address query; adds and changes through `entry`.
    Tworkform(WindowContext& context, Taddform& entry, QWidget* parent = nullptr);

protected:
    /// Shows the entry window on a new empty record in add mode.
    void addRecord() override;
    /// Shows the entry window on the current record in change mode.
    void changeRecord() override;
    /// The printed list over the query as it stands.
    std::unique_ptr<report::Report> listReport() override;
    void closeEvent(QCloseEvent* event) override;

private:
    Taddform& m_entry;
};
