#pragma once

// The JV-Link presence test of start-up: an instance is created through the
// JV-Link factory and released at once.
bool jvLinkPresent();

// What a user without JV-Link gets: a beep and the information box that tells
// where to get it. The program then ends with exit code 0, before any setting
// is read or any log line written.
void showJVLinkMissing();
