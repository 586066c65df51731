#pragma once

#include <QString>

class Tdm;

/// The status button of the personnel browser: moves the current person of the data module's
/// person query between the on-the-job list (status 1) and the departed list (status 2).
namespace statuschange {

/// A person's `status`.
enum class Status
{
    OnTheJob = 1,
    Departed = 2
};

/// The word for a move to the status, as the button and the messages say it: "离职" or "复职".
QString statusCaption(Status status);

/// Runs the status button: refuses while the person is being edited, asks, stores the new status,
/// refreshes the person query (the person leaves the current view) and reports. A store that
/// fails is reported and leaves the person as it was. True when the status was changed.
bool changeStatus(Tdm& dm, Status newStatus);

} // namespace statuschange
