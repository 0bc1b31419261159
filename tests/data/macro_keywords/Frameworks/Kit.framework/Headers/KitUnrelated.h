/* Imports nothing: BASE_EXPORT is no macro that this header knows. */
BASE_EXPORT NSString *KitUnknownExport;
