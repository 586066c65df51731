#pragma once

#include <QApplication>

/// The application object; it is also the default error display: an exception that escapes
/// any event handler or slot is shown as an error box with its message, and the program goes on.
class RosterApplication : public QApplication
{
    Q_OBJECT

public:
    RosterApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

/// Shows the exception the way the default error display does; for callers that must catch.
void showException(const std::exception& e);
