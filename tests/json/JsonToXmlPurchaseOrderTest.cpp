// Purchase orders of the generator read from their JSON forms.
#include "PurchaseOrder.h"
#include "TestSupport.h"
