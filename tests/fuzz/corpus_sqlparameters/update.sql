UPDATE t SET a = :A, b = :B
WHERE "x:y" = :C