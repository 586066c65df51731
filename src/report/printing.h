#pragma once

#include "platform/errors.h"

class QWidget;

namespace report {

class Report;

/// The printer could not take the document (none installed, or it failed).
class PrintError : public RosterError
{
public:
    using RosterError::RosterError;
};

/// Where the windows send a report: the print preview, or the default printer at once. The
/// program uses the toolkit's; tests set their own in the window context, so that none opens a dialog or prints.
class Printing
{
public:
    virtual ~Printing() = default;
    /// Shows the report in the print preview (zoom, page setup, print, save as PDF).
    virtual void preview(const Report& report, QWidget* parent) = 0;
    /// Prints every page, one copy, collated, on the default printer. Throws PrintError.
    virtual void print(const Report& report) = 0;
};

/// The toolkit's printing: QPrintPreviewDialog and the default printer. The window context hands it
/// to the windows unless a test set another.
Printing& toolkitPrinting();

} // namespace report
