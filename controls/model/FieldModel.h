// The Qt-free value and text rules of the numeric field (TNValEdit).
#pragma once
