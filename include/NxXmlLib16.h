// NxXmlLib16: the run-time library of generated XML data-binding classes. Includes every public header.
#pragma once

#include "BinaryData.h"
#include "BinaryStream.h"
#include "CharEncoding.h"
#include "ClassfactoryBase.h"
#include "InstanceMonitor.h"
#include "ItemType.h"
#include "NXCriticalSection.h"
#include "NamespaceAliasMap.h"
#include "NxException.h"
#include "SerializationContext.h"
#include "SmartPtr.h"
#include "TextStream.h"
#include "XmlDocument.h"
#include "XmlObjectBase.h"
#include "XmlTextWriter.h"
#include "XmlWriter.h"
