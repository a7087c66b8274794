// PLACEHOLDER: replaced by the record log.
