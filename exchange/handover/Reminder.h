#pragma once

// When the calendar reminds the user of a handed-over item: this long before
// a task is due or an appointment starts. The numbers are what the settings
// store (HandOverSettings), so they keep their meaning.
enum class Reminder {
    None = 0,
    AtTheTime = 1,
    QuarterHourBefore = 2,
    HourBefore = 3,
    DayBefore = 4,
};

// The number of choices: the stored values are 0 to kReminderChoices - 1.
inline constexpr int kReminderChoices = 5;
