INSERT INTO "order items" (SaleNo, ItemNo) 
VALUES (:SaleNo, 12.5); 