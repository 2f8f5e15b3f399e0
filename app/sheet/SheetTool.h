// The command-line tool tavenko-sheet: one click of the main window as JSON.
#pragma once
