// The program's windows.
#pragma once
