import QtQuick

// A minutes setting: its title and detail, then its stepper. The session decides which step is
// possible and what it stores.
SettingRow {
    id: row

    required property string label
    required property int minutes
    required property int minimum
    required property int maximum
    // The sheet's language, for the stepper's names.
    required property string language
    required property bool canDecrease
    required property bool canIncrease
    // -1 or +1, once per step.
    signal stepped(int direction)

    ValueStepper {
        name: row.objectName
        label: row.label
        value: row.minutes
        minimumValue: row.minimum
        maximumValue: row.maximum
        title: row.title
        language: row.language
        canDecrease: row.canDecrease
        canIncrease: row.canIncrease
        onStepped: direction => row.stepped(direction)
    }
}
