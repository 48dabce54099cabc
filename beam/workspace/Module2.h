#pragma once
// Shows the tip of the day at start-up when the first line of the tip switch file is "ok".
void show_tip_at_start();
