#pragma once

#include <QApplication>

/// The application object. Actions run through the error boundary (platform/errorboundary.h);
/// an exception that still escapes an event handler ends here, the last resort, and is shown the
/// same way.
class RosterApplication : public QApplication
{
    Q_OBJECT

public:
    RosterApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
