// Drawing of a whole board screen in its fixed order.
#pragma once

void DrawPlay();
