#pragma once

#include <QString>

class Tdm;

/// The status button of the personnel browser: moves the current person of the data module's
/// person query between the on-the-job list (status 1) and the departed list (status 2).
namespace statuschange {

/// The status the button's caption asks for: 2 for "离职", else 1.
int statusFor(const QString& caption);

/// Runs the status button with its caption ("离职" or "复职"): refuses while the person is being
/// edited, asks, stores the new status, refreshes the person query (the person leaves the current
/// view) and reports. A store that fails is reported and leaves the person as it was. True when
/// the status was changed.
bool changeStatus(Tdm& dm, const QString& caption);

} // namespace statuschange
