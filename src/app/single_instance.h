#pragma once

// 0 when this is the only running copy; -1 (after telling the user) when
// another copy holds the guard.
int acquireSingleInstance();
void releaseSingleInstance();
