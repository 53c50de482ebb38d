#pragma once

class TVpPrinter;

// The printer settings the organizer prints with, in its window and in koret-cli alike: days from
// 07:00 to 23:00 in 30-minute slots (a printed day view widens them to hold its events) and page
// margins of 40 pixels at the sides and 75 at the top and bottom.
void ApplyOrganizerPrinterSettings(TVpPrinter& printer);
