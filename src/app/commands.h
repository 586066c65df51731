#pragma once

/// The numbers of the system's commands, as the navigation page's links name them.
namespace command {

enum Number : int
{
    Setup = 0,
    Users = 1,
    Relogin = 2,
    Exit = 3,
    Persons = 4,
    Search = 5,
    Folk = 6,
    Isworker = 7,
    Education = 8,
    Political = 9,
    Departments = 10,
    Aboutpay = 11,
    Duty = 12,
    Technical = 13,
    Notepad = 14,
    Addressbook = 15,
    Backup = 16,
    Restore = 17,
    Compact = 18,
    Repair = 19,
    Mail = 20,
    Web = 21,
    PictureMode = 22,
    WebMode = 23,
    Background = 24,
    ToolsEditor = 25,
    About = 26,
    Statistics = 27,
    Export = 28,
    Count = 29, ///< numbers from here on run nothing
};

} // namespace command
