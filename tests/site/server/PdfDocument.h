#pragma once

#include "Scenario.h"

#include <QByteArray>

// The notification's document as a PDF: a letterhead, the notification's data and
// the scenario's text.
QByteArray renderNotificationPdf(const ScenarioNotification& notification);
