SELECT c."ClientNo", c.Firm FROM clients AS c
WHERE c."ClientNo" = :ClientNo AND c.Firm <> ':not' -- :comment
  AND x::int = :P_2 AND `:q` = :clientno
