#pragma once

/* Resource ids, read by the resource compiler as well: plain defines only. */
#define HALVESTA_ICON_RESOURCE 20001
