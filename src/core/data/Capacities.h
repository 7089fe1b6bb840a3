#pragma once
// The capacities of the in-memory model. Tables and files that hold more than these are refused
// before anything is loaded or written, never cut short.

namespace Capacity {
constexpr int Services = 30;       // service codes 1 to 30, one roster table each
constexpr int Soldiers = 1000;     // personnel records
constexpr int History = 10000;     // history records in memory
constexpr int RosterRows = 500;    // rows of one roster table
constexpr int RedDays = 366;       // days of the red-day calendar
constexpr int ServiceDays = 10;    // recent service days kept per soldier (USv)
}

// Widths of the texts held in the records; longer values are cut when stored.
namespace Width {
constexpr int Num = 4;
constexpr int Nome = 15;
constexpr int PstGrd = 7;
constexpr int PR = 1;
constexpr int Descr = 8;
constexpr int HistNum = 120;
constexpr int PtVm = 2;
constexpr int LastRosteredDay = 10;
}
