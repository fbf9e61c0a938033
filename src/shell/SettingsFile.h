// The player's settings kept from one run to the next.
#pragma once
